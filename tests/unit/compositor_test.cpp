#include "button/compositor.h"

#include <gtest/gtest.h>

namespace tesk::button {
namespace {

constexpr Rgb kFace = 0xC0C0C0;
constexpr Rgb kMask = 0xFF00FF;

// One pixel of `source` drawn over `face` in each mode.
TEST(Composite, EachModeFollowsItsPixelRule) {
  const CompositeMode masked{kMask, -1, false, false, false};
  const CompositeMode unmasked{std::nullopt, -1, false, false, false};
  const CompositeMode solid{std::nullopt, 0x0000FF, false, false, false};
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
      {masked, 0x123456, kFace, 0x123456, "any other colour is drawn"},
      {unmasked, kMask, kFace, kMask, "UseMaskColor off"},
      {solid, 0xFFFFFF, kFace, 0x0000FF, "a solid silhouette"},
      {black, 0xFFFFFF, kFace, 0, "brush 0 is a black silhouette"},
      {dark, 0xFFFFFF, kFace, kFace, "white (765) leaves the face"},
      {dark, 0x808080, kFace, 0x0000FF, "128, 128, 128 sums to 384"},
      {dark, 0x808081, kFace, kFace, "129, 128, 128 does not"},
      {grey, 0x0000FF, kFace, 0x4C4C4C, "pure red gives 76"},
      {grey, 0x00FF00, kFace, 0x969696, "pure green gives 150"},
      {blend, 0xFFFFFF, 0x000000, 0xAAAAAA, "white over black gives 170"},
  };
  for (const auto& c : cases) {
    std::vector<Rgb> target{c.face};
    CompositePixels(target, {c.source}, c.mode);
    EXPECT_EQ(target[0], c.drawn) << c.why;
  }
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
