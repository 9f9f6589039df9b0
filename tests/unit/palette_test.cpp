#include "button/palette.h"

#include <gtest/gtest.h>

#include "doubles/raster_host.h"

namespace tesk::button {
namespace {

// Every system colour a colour of its own, so that one read for the wrong role shows.
class DistinctColours final : public ColorSource {
 public:
  Rgb SystemColor(int index) override { return index * 0x030507; }
  Rgb TranslateColor(OleColor colour) override {
    return colour & 0x80000000u ? SystemColor(colour & 0xFF) : static_cast<Rgb>(colour);
  }
  Rgb ParentBackColor() override { return 0x336699; }
  Rgb ParentTextColor() override { return 0x00FFFF; }
};

// The bevel amounts, soft halving and proportional blue show through the custom palette below.
TEST(ColourArithmetic, ShiftNeverWrapsAndBlendWhiteMixesEachChannelWithWhite) {
  EXPECT_EQ(ShiftColor(0x10FF05, 47, false, false), 0x3FFF34) << "no channel wraps past 255";
  EXPECT_EQ(BlendWhite(0x800000, 176), 0xD7B0B0) << "(79 * 128) / 255 + 176 = 215";
  EXPECT_EQ(BlendWhite(0xFFFFFF, 176), 0xFFFFFF);
}

TEST(ComputePalette, SchemeOneAndEveryUnknownSchemeReadEachRolesSystemColour) {
  DistinctColours colours;
  for (std::int32_t scheme : {1, 0, 5, -1}) {
    PaletteSettings settings;
    settings.colorScheme = scheme;
    const Palette p = ComputePalette(settings, colours);
    const std::pair<Rgb, int> roles[] = {
        {p.faceColor, kButtonFace}, {p.faceOverColor, kButtonFace}, {p.textColor, kButtonText},
        {p.textOverColor, kButtonText}, {p.shadowColor, kButtonShadow}, {p.lightColor, kLight3D},
        {p.highlightColor, kButtonHighlight}, {p.darkShadowColor, kDarkShadow3D},
        {p.selectionColor, kSelectionHighlight}};
    for (const auto& [colour, index] : roles) EXPECT_EQ(colour, colours.SystemColor(index)) << index;
    EXPECT_EQ(p.selectionLightColor, BlendWhite(p.selectionColor, 176)) << scheme;
  }
}

TEST(ComputePalette, CustomColorsDeriveTheBevelFromTheFace) {
  DistinctColours colours;
  PaletteSettings settings;
  settings.colorScheme = kCustomColors;
  settings.backColor = 0x808080;
  settings.backOver = 0x80000000u | kButtonHighlight;
  settings.foreColor = 0x0000FF;
  settings.foreOver = 0x00FF00;
  settings.maskColor = 0x80000000u | kButtonFace;
  Palette p = ComputePalette(settings, colours);
  EXPECT_EQ(p.faceOverColor, colours.SystemColor(kButtonHighlight)) << "references translated";
  EXPECT_EQ(p.textColor, 0x0000FF);
  EXPECT_EQ(p.textOverColor, 0x00FF00);
  EXPECT_EQ(p.darkShadowColor, 0x000000);
  EXPECT_EQ(p.lightColor, 0x9F9F9F);
  EXPECT_EQ(p.highlightColor, 0xAFAFAF);
  EXPECT_EQ(p.selectionColor, 0x000000);
  EXPECT_EQ(p.selectionLightColor, 0x808080);
  EXPECT_EQ(p.maskColorRgb, colours.SystemColor(kButtonFace));

  settings.softBevel = true;
  p = ComputePalette(settings, colours);
  EXPECT_EQ(p.darkShadowColor, 0x202020);

  settings.softBevel = false;
  settings.backColor = 0x804020;
  settings.buttonType = 3;
  EXPECT_EQ(ComputePalette(settings, colours).faceBrightColor, 0xA07050) << "blue + blue * 48 / 192";
}

// Fixed grey is the classic Windows palette (the double's system colours) whatever the system's.
TEST(ComputePalette, FixedGreyIsTheClassicPaletteAndContainerColorsTheParents) {
  test::RasterHost classic(1, 1);
  DistinctColours colours;
  PaletteSettings settings;
  settings.backColor = 0x0000FF;
  const Palette system = ComputePalette(settings, classic);
  settings.colorScheme = kFixedGrey;
  const Palette grey = ComputePalette(settings, colours);
  for (Rgb Palette::*role : {&Palette::faceColor, &Palette::faceOverColor, &Palette::textColor,
                             &Palette::textOverColor, &Palette::shadowColor, &Palette::lightColor,
                             &Palette::highlightColor, &Palette::darkShadowColor,
                             &Palette::selectionColor, &Palette::faceBrightColor}) {
    EXPECT_EQ(grey.*role, system.*role);
  }

  settings.colorScheme = kContainerColors;
  const Palette parent = ComputePalette(settings, colours);
  EXPECT_EQ(parent.textOverColor, colours.ParentTextColor());
  EXPECT_EQ(parent.shadowColor, ShiftColor(colours.ParentBackColor(), -64, false, false));
  EXPECT_EQ(parent.selectionColor, colours.SystemColor(kSelectionHighlight));
}

}  // namespace
}  // namespace tesk::button
