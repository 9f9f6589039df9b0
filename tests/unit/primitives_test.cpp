// The drawing primitives on the raster canvas, and how a picture's pixels are composited.

#include "button/primitives.h"

#include <gtest/gtest.h>

#include <string>

#include "button/compositor.h"
#include "platform/raster/raster_canvas.h"

namespace tesk::button {
namespace {

using platform::RasterCanvas;

constexpr Rgb kBack = 0x777777;

// The canvas as rows of characters: '.' background, colours 1 to 4 as 'a' to 'd', others '?'.
std::string Picture(const RasterCanvas& canvas) {
  std::string rows;
  for (std::int32_t y = 0; y < canvas.Height(); ++y) {
    for (std::int32_t x = 0; x < canvas.Width(); ++x) {
      const Rgb pixel = canvas.Pixel(x, y);
      const bool lettered = pixel >= 1 && pixel <= 4;
      rows += pixel == kBack ? '.' : lettered ? static_cast<char>('a' + pixel - 1) : '?';
    }
    rows += '\n';
  }
  return rows;
}

TEST(DrawLine, LeavesTheEndPointUnpainted) {
  RasterCanvas canvas(4, 3, kBack);
  DrawLine(canvas, 1, 2, 2, 0, 1);
  EXPECT_EQ(Picture(canvas), "....\n.a..\n.a..\n");
  RasterCanvas row(6, 1, kBack);
  DrawLine(row, 0, 0, 5, 0, 1);
  EXPECT_EQ(Picture(row), "aaaaa.\n");
  DrawLine(row, 5, 0, 5, 0, 2);
  EXPECT_EQ(Picture(row), "aaaaa.\n") << "a line to its own start paints nothing";
}

TEST(DrawRect, FillsOrOutlinesTheSameRectangle) {
  RasterCanvas canvas(6, 5, kBack);
  DrawRect(canvas, 1, 1, 4, 3, 1, true);
  DrawRect(canvas, 2, 2, 2, 1, 2, false);
  EXPECT_EQ(Picture(canvas), "......\n.aaaa.\n.abba.\n.aaaa.\n......\n");
  DrawRect(canvas, 0, 0, 0, 5, 3, true);
  DrawRect(canvas, 4, 4, 9, 9, 4, false);
  EXPECT_EQ(Picture(canvas), "......\n.aaaa.\n.abba.\n.aaaa.\n....dd\n")
      << "an empty outline paints nothing; a fill is clipped to the surface";
}

TEST(DrawFrame3D, DrawsBothLevelsOnePixelInWithInsetMinusOne) {
  RasterCanvas canvas(10, 10, kBack);
  DrawFrame3D(canvas, 10, 10, 1, 2, 3, 4, -1, false);
  EXPECT_EQ(Picture(canvas),
            "..........\n"
            ".aaaaaaab.\n"
            ".acccccdb.\n"
            ".ac....db.\n"
            ".ac....db.\n"
            ".ac....db.\n"
            ".ac....db.\n"
            ".addddddb.\n"  // the inner bottom ends short of x = a, over the c3 stroke's start
            ".bbbbbbbb.\n"
            "..........\n");
  RasterCanvas outer(6, 5, kBack);
  DrawFrame3D(outer, 6, 5, 1, 2, 3, 4, 0, true);
  EXPECT_EQ(Picture(outer), "aaaaab\na....b\na....b\na....b\nbbbbbb\n");
}

TEST(DrawEllipse, IsSymmetricWithTheBrushInside) {
  RasterCanvas canvas(20, 12, kBack);
  DrawEllipse(canvas, 0, 0, 20, 12, 1, 2);
  for (std::int32_t y = 0; y < 12; ++y) {
    for (std::int32_t x = 0; x < 20; ++x) {
      EXPECT_EQ(canvas.Pixel(x, y), canvas.Pixel(x, 11 - y)) << x << "," << y;
    }
  }
  EXPECT_EQ(canvas.Pixel(10, 2), 2);
}

constexpr Rgb kFace = 0xC0C0C0;
constexpr Rgb kMask = 0xFF00FF;

// One pixel of `source` drawn over `face` in each mode.
TEST(Composite, EachModeFollowsItsPixelRule) {
  const CompositeMode masked{kMask, -1, false, false, false};
  const CompositeMode black{std::nullopt, 0, false, false, false};
  const CompositeMode dark{std::nullopt, 0x0000FF, true, false, false};
  const CompositeMode grey{std::nullopt, -1, false, true, false};
  const CompositeMode blend{std::nullopt, -1, false, false, true};
  const struct {
    const CompositeMode& mode;
    Rgb source, face, drawn;
    const char* why;
  } cases[] = {
      {masked, kMask, kFace, kFace, "the mask colour is transparent"},
      {black, 0xFFFFFF, kFace, 0, "brush 0 is a black silhouette"},
      {dark, 0x808080, kFace, 0x0000FF, "128, 128, 128 sums to 384"},
      {dark, 0x808081, kFace, kFace, "129, 128, 128 does not"},
      {grey, 0x00FF00, kFace, 0x969696, "pure green gives 150"},
      {blend, 0xFFFFFF, 0x000000, 0xAAAAAA, "white over black gives 170"},
  };
  for (const auto& c : cases) {
    std::vector<Rgb> target{c.face};
    CompositePixels(target, {c.source}, c.mode);
    EXPECT_EQ(target[0], c.drawn) << c.why;
  }
}

}  // namespace
}  // namespace tesk::button
