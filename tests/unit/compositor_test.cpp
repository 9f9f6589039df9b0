#include "button/compositor.h"

#include <gtest/gtest.h>

namespace tesk::button {
namespace {

constexpr Rgb kFace = 0xC0C0C0;
constexpr Rgb kMask = 0xFF00FF;

Rgb One(Rgb source, const CompositeMode& mode, Rgb face = kFace) {
  std::vector<Rgb> target{face};
  CompositePixels(target, {source}, mode);
  return target[0];
}

TEST(Composite, TheMaskColourIsTransparentOnlyWhileMaskingIsOn) {
  CompositeMode mode;
  mode.transparent = kMask;
  EXPECT_EQ(One(kMask, mode), kFace);
  EXPECT_EQ(One(0x123456, mode), 0x123456);
  EXPECT_EQ(One(kMask, CompositeMode{}), kMask) << "UseMaskColor off";
}

TEST(Composite, SilhouettesSolidAndOfDarkPixelsOnly) {
  CompositeMode solid;
  solid.brush = 0x0000FF;
  EXPECT_EQ(One(0xFFFFFF, solid), 0x0000FF);
  CompositeMode black;
  black.brush = 0;
  EXPECT_EQ(One(0xFFFFFF, black), 0) << "brush 0 is a black silhouette";

  CompositeMode dark = solid;
  dark.darkOnly = true;
  EXPECT_EQ(One(0xFFFFFF, dark), kFace) << "white (765) leaves the face";
  EXPECT_EQ(One(0x808080, dark), 0x0000FF) << "128, 128, 128 sums to 384";
  EXPECT_EQ(One(0x808081, dark), kFace) << "129, 128, 128 does not";
}

TEST(Composite, GreyscaleAndBlend) {
  CompositeMode grey;
  grey.greyscale = true;
  EXPECT_EQ(One(0x0000FF, grey), 0x4C4C4C) << "pure red gives 76";
  EXPECT_EQ(One(0x00FF00, grey), 0x969696) << "pure green gives 150";
  CompositeMode blend;
  blend.blend = true;
  EXPECT_EQ(One(0xFFFFFF, blend, 0x000000), 0xAAAAAA) << "white over black gives 170";
}

TEST(Composite, AsksThePaletteSurfaceForTheColourAPixelWouldShow) {
  CompositeMode mode;
  mode.transparent = kMask;
  std::vector<Rgb> target{kFace, kFace};
  int lookups = 0;
  const NearestColor snapToMask = [&lookups](Rgb c) {
    ++lookups;
    return c == 0xFE00FE ? kMask : c;
  };
  CompositePixels(target, {0xFE00FE, 0x010101}, mode, snapToMask);
  EXPECT_EQ(target, (std::vector<Rgb>{kFace, 0x010101}));
  EXPECT_EQ(lookups, 2);
}

}  // namespace
}  // namespace tesk::button
