#include "button/palette.h"

#include <gtest/gtest.h>

#include <vector>

#include "doubles/raster_host.h"

namespace tesk::button {
namespace {

using test::RasterHost;  // the classic Windows colours; parent 0x336699 on 0x00FFFF

TEST(ShiftColor, ClampsInTheDirectionOfTheChangeAndHalvesForSoftBevel) {
  EXPECT_EQ(ShiftColor(0x808080, -64, false, false), 0x404040);
  EXPECT_EQ(ShiftColor(0x808080, -192, false, false), 0x000000);
  EXPECT_EQ(ShiftColor(0x808080, -64, false, true), 0x606060);
  EXPECT_EQ(ShiftColor(0x808080, -192, false, true), 0x202020);
  EXPECT_EQ(ShiftColor(0xF0F0F0, 31, false, true), 0xFFFFFF) << "31 halves to 15, then clamps";
  EXPECT_EQ(ShiftColor(0x10FF05, 47, false, false), 0x3FFF34) << "no channel wraps past 255";
  EXPECT_EQ(ShiftColor(0x123456, 0, false, false), 0x123456);
  EXPECT_EQ(ShiftColor(0x804020, 48, true, false), 0xA07050) << "blue + blue * 48 / 192";
  EXPECT_EQ(ShiftColor(0x804020, 48, false, false), 0xB07050);
  EXPECT_EQ(ShiftColor(0x050505, -10, true, false), 0x050000) << "blue 5 - 5 * 10 / 192 stays 5";
}

TEST(BlendWhite, MixesEachChannelWithWhite) {
  EXPECT_EQ(BlendWhite(0x800000, 176), 0xD7B0B0) << "(79 * 128) / 255 + 176 = 215";
  EXPECT_EQ(BlendWhite(0x000000, 176), 0xB0B0B0);
  EXPECT_EQ(BlendWhite(0xFFFFFF, 176), 0xFFFFFF);
  EXPECT_EQ(BlendWhite(0x123456, 0), 0x123456);
}

TEST(ComputePalette, SystemColorsForSchemeOneAndEveryUnknownScheme) {
  RasterHost colours(1, 1);
  for (std::int32_t scheme : {1, 0, 5, -1}) {
    PaletteSettings settings;
    settings.colorScheme = scheme;
    const Palette p = ComputePalette(settings, colours);
    EXPECT_EQ(p.faceColor, 0xC0C0C0) << scheme;
    EXPECT_EQ(p.lightColor, 0xDFDFDF) << scheme;
    EXPECT_EQ(p.selectionLightColor, BlendWhite(0x800000, 176)) << scheme;
    EXPECT_EQ(p.faceBrightColor, 0xF0F0F0) << scheme;
  }
}

TEST(ComputePalette, CustomColorsDeriveTheBevelFromTheFace) {
  RasterHost colours(1, 1);
  PaletteSettings settings;
  settings.colorScheme = kCustomColors;
  settings.backColor = 0x808080;
  settings.backOver = 0x80000000u | kButtonHighlight;
  settings.foreColor = 0x0000FF;
  settings.foreOver = 0x00FF00;
  settings.maskColor = 0x80000000u | kButtonFace;
  Palette p = ComputePalette(settings, colours);
  EXPECT_EQ(p.faceOverColor, 0xFFFFFF) << "system-colour references are translated";
  EXPECT_EQ(p.textColor, 0x0000FF);
  EXPECT_EQ(p.textOverColor, 0x00FF00);
  EXPECT_EQ(p.shadowColor, 0x404040);
  EXPECT_EQ(p.darkShadowColor, 0x000000);
  EXPECT_EQ(p.lightColor, 0x9F9F9F);
  EXPECT_EQ(p.highlightColor, 0xAFAFAF);
  EXPECT_EQ(p.selectionColor, 0x000000);
  EXPECT_EQ(p.selectionLightColor, 0x808080);
  EXPECT_EQ(p.maskColorRgb, 0xC0C0C0);

  settings.softBevel = true;
  p = ComputePalette(settings, colours);
  EXPECT_EQ(p.shadowColor, 0x606060);
  EXPECT_EQ(p.darkShadowColor, 0x202020);

  settings.backColor = 0x80000000u | 0xFF;  // no such system colour
  EXPECT_EQ(ComputePalette(settings, colours).faceColor, 0) << "untranslatable gives black";

  settings.softBevel = false;
  settings.backColor = 0x804020;
  settings.buttonType = 3;
  EXPECT_EQ(ComputePalette(settings, colours).faceBrightColor, 0xA07050) << "blue proportional";
  settings.buttonType = 2;
  EXPECT_EQ(ComputePalette(settings, colours).faceBrightColor, 0xB07050);
}

TEST(ComputePalette, FixedGreyAndContainerColors) {
  RasterHost colours(1, 1);
  PaletteSettings settings;
  settings.colorScheme = kFixedGrey;
  settings.backColor = 0x0000FF;
  const Palette grey = ComputePalette(settings, colours);
  EXPECT_EQ(grey.faceColor, 0xC0C0C0);
  EXPECT_EQ(grey.selectionLightColor, 0xD1ADAD);

  settings.colorScheme = kContainerColors;
  const Palette parent = ComputePalette(settings, colours);
  EXPECT_EQ(parent.faceColor, 0x336699);
  EXPECT_EQ(parent.faceOverColor, 0x336699);
  EXPECT_EQ(parent.textOverColor, 0x00FFFF);
  EXPECT_EQ(parent.shadowColor, ShiftColor(0x336699, -64, false, false));
  EXPECT_EQ(parent.selectionColor, 0x800000);
}

}  // namespace
}  // namespace tesk::button
