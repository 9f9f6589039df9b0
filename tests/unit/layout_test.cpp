#include "button/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// The one placement pinned to the pixel: the caption centred beside a picture on its left.
TEST(CalcTextRects, CentresTheCaptionBesideAPictureOnTheLeft) {
  FixedWidthText text;
  CaptionLayout layout = WithPicture(16, 16);
  CalcTextRects({100, 30, "OK", kLeft, true, false}, text, layout);
  EXPECT_EQ(text.last, (Rect{17, 1, 98, 28})) << "measured beside the picture";
  EXPECT_EQ(layout.textRect, (Rect{51, 9, 65, 22}));
  EXPECT_EQ(layout.pressedTextRect, (Rect{52, 10, 66, 23}));
  EXPECT_EQ(layout.pictureRect, (Rect{31, 7, 47, 23}));
  EXPECT_EQ(layout.textWidth, 14);
  EXPECT_EQ(layout.textHeight, 13);
}

// The other positions by rule: caption and picture side by side (or the picture behind), the
// pair centred within a pixel; a blank caption centres the picture alone.
TEST(CalcTextRects, CentresCaptionAndPictureTogetherWithThePictureOnItsSide) {
  const auto centred = [](const Rect& a, const Rect& b) {
    const Rect both{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
    return std::abs(both.left + both.right - 100) <= 1 && std::abs(both.top + both.bottom - 40) <= 1;
  };
  for (std::int32_t position : {kRight, kTop, kBottom, kBehind}) {
    FixedWidthText text;
    CaptionLayout layout = WithPicture(16, 16);
    CalcTextRects({100, 40, "OK", position, true, false}, text, layout);
    const Rect& t = layout.textRect;
    const Rect& p = layout.pictureRect;
    const bool onItsSide[] = {false, p.left >= t.right, p.bottom <= t.top, p.top >= t.bottom,
                              p.left < t.left && p.right > t.right};
    EXPECT_TRUE(onItsSide[position] && centred(t, p) && p.Width() == 16) << position;
  }
  CaptionLayout layout = WithPicture(16, 16);
  FixedWidthText text;
  CalcTextRects({100, 40, "   ", kLeft, false, true}, text, layout);
  EXPECT_EQ(layout.pictureRect, (Rect{42, 12, 58, 28})) << "a caption of spaces centres it";
}

TEST(CalcTextRects, AnUnknownPositionMovesNothing) {
  FixedWidthText text;
  CaptionLayout layout = WithPicture(16, 16);
  layout.pressedTextRect = {5, 6, 50, 20};
  CalcTextRects({100, 30, "OK", 9, true, false}, text, layout);
  EXPECT_EQ(layout.textRect, (Rect{5, 6, 19, 19})) << "measured from the pressed rectangle";
  EXPECT_EQ(layout.pictureRect, (Rect{0, 0, 16, 16}));
}

// By rule: square cuts take corner pixels, rounded ones (12) a corner and its two neighbours;
// style 13 alone is an ellipse.
TEST(MakeRegion, CutsOnlyCornerPixelsAndStyleThirteenIsAnEllipse) {
  const std::pair<std::int32_t, size_t> cuts[] = {{1, 4}, {14, 4}, {5, 2}, {3, 12}, {4, 12},
                                                   {2, 0}, {13, 0}, {99, 0}};
  for (const auto& [style, count] : cuts) {
    const WindowShape shape = MakeRegion(style, 10, 8);
    EXPECT_EQ(shape.removedPixels.size(), count) << style;
    EXPECT_EQ(shape.elliptic, style == 13) << style;
    for (const Point& p : shape.removedPixels) {
      const int fromCorner = std::min(p.x, 9 - p.x) + std::min(p.y, 7 - p.y);
      EXPECT_LE(fromCorner, count == 12 ? 1 : 0) << style;  // rounded: a corner and its neighbours
    }
  }
}

TEST(AccessKey, IsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(AccessKeyOf("a&&b"), "");
  EXPECT_EQ(AccessKeyOf("a&&b&c"), "c");
  EXPECT_EQ(AccessKeyOf("a&&b&&c"), "");
  EXPECT_EQ(AccessKeyOf("Plain"), "");
}

}  // namespace
}  // namespace tesk::button
