#include "button/layout.h"

#include <gtest/gtest.h>

#include "button/access_key.h"
#include "platform/raster/memory_picture.h"

namespace tesk::button {
namespace {

// Text 7 pixels a character and 13 high, on one line.
class FixedWidthText : public TextMeasurer {
 public:
  Rect MeasureWrapped(const std::string& text, const Rect& bounds) override {
    last = bounds;
    return {bounds.left, bounds.top, bounds.left + 7 * static_cast<std::int32_t>(text.size()),
            bounds.top + 13};
  }
  Rect last;
};

CaptionLayout WithPicture(std::int32_t pw, std::int32_t ph) {
  CaptionLayout layout;
  layout.pictureRect = {0, 0, pw, ph};
  return layout;
}

TEST(CalcTextRects, PlacesCaptionAndPictureForEveryPosition) {
  struct Case {
    std::int32_t position;
    Rect text;
    Rect picture;
  };
  const Case cases[] = {
      {kLeft, {51, 9, 65, 22}, {31, 7, 47, 23}},  // the picture at textRect.left - 20
      {kRight, {33, 9, 47, 22}, {51, 7, 67, 23}},
      {kTop, {43, 17, 57, 30}, {42, -1, 58, 15}},
      {kBottom, {43, -1, 57, 12}, {42, 14, 58, 30}},
      {kBehind, {43, 9, 57, 22}, {42, 7, 58, 23}},
  };
  for (const auto& c : cases) {
    FixedWidthText text;
    CaptionLayout layout = WithPicture(16, 16);
    CalcTextRects({100, 30, "OK", c.position, true, false}, text, layout);
    EXPECT_EQ(layout.textRect, c.text) << c.position;
    EXPECT_EQ(layout.pictureRect, c.picture) << c.position;
    if (c.position != kLeft) continue;
    EXPECT_EQ(text.last, (Rect{17, 1, 98, 28})) << "measured beside the picture";
    EXPECT_EQ(layout.pressedTextRect, (Rect{52, 10, 66, 23}));
    EXPECT_EQ(layout.textWidth, 14);
    EXPECT_EQ(layout.textHeight, 13);
  }
}

TEST(CalcTextRects, UnknownPositionsBlankCaptionsAndNoPicture) {
  FixedWidthText text;
  CaptionLayout layout = WithPicture(16, 16);
  layout.pressedTextRect = {5, 6, 50, 20};
  CalcTextRects({100, 30, "OK", 9, true, false}, text, layout);
  EXPECT_EQ(text.last, (Rect{5, 6, 50, 20})) << "starts from the pressed rectangle";
  EXPECT_EQ(layout.textRect, (Rect{5, 6, 19, 19})) << "and is not centred";
  EXPECT_EQ(layout.pictureRect, (Rect{0, 0, 16, 16})) << "nor is the picture moved";

  layout = WithPicture(16, 16);
  CalcTextRects({100, 30, "   ", kLeft, false, true}, text, layout);
  EXPECT_EQ(layout.pictureRect, (Rect{42, 7, 58, 23})) << "a caption of spaces centres it";

  layout = WithPicture(0, 0);
  layout.pictureRect = {3, 4, 3, 4};
  CalcTextRects({100, 30, "OK", kLeft, false, false}, text, layout);
  EXPECT_EQ(layout.pictureRect, (Rect{3, 4, 3, 4})) << "without pictures nothing moves";
}

TEST(PictureSize, IsTheHimetricSizeAtTheScreensResolution) {
  const platform::MemoryPicture icon(PictureType::Icon, 16, 16, std::vector<std::int32_t>(256));
  EXPECT_EQ(PictureSizeInPixels(&icon, 96), (Point{16, 16}));
  EXPECT_EQ(PictureSizeInPixels(&icon, 120), (Point{20, 20}));
  EXPECT_EQ(PictureSizeInPixels(nullptr, 96), (Point{0, 0}));
}

TEST(MakeRegion, CutsTheCornersOfEachStyle) {
  EXPECT_EQ(MakeRegion(1, 10, 8).removedPixels,
            (std::vector<Point>{{0, 7}, {9, 0}, {0, 0}, {9, 7}}));
  EXPECT_EQ(MakeRegion(14, 10, 8).removedPixels.size(), 4u);
  EXPECT_EQ(MakeRegion(5, 10, 8).removedPixels, (std::vector<Point>{{0, 7}, {9, 0}}))
      << "top-left and bottom-right stay";
  EXPECT_EQ(MakeRegion(3, 10, 8).removedPixels.size(), 12u);
  EXPECT_EQ(MakeRegion(4, 10, 8).removedPixels[11], (Point{9, 6}));
  EXPECT_TRUE(MakeRegion(13, 10, 8).elliptic);
  EXPECT_TRUE(MakeRegion(13, 10, 8).removedPixels.empty());
  EXPECT_TRUE(MakeRegion(2, 10, 8).removedPixels.empty());
  EXPECT_TRUE(MakeRegion(99, 10, 8).removedPixels.empty());
}

TEST(AccessKey, IsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(AccessKeyOf("&Save"), "s");
  EXPECT_EQ(AccessKeyOf("E&xit"), "x");
  EXPECT_EQ(AccessKeyOf("a&&b"), "");
  EXPECT_EQ(AccessKeyOf("Save&"), "");
  EXPECT_EQ(AccessKeyOf("a&&b&c"), "c");
  EXPECT_EQ(AccessKeyOf("a&&b&&c"), "");
  EXPECT_EQ(AccessKeyOf("&"), "");
  EXPECT_EQ(AccessKeyOf("Plain"), "");
}

}  // namespace
}  // namespace tesk::button
