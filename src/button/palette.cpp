#include "button/palette.h"

#include <algorithm>

namespace tesk::button {
namespace {

constexpr std::int32_t kRoundedGradient = 3;

struct Channels {
  std::int32_t blue;
  std::int32_t green;
  std::int32_t red;
};

// Integer division and remainder truncate toward zero, as the control's arithmetic always has.
Channels Split(Rgb colour) {
  return {(colour / 65536) % 256, (colour / 256) % 256, colour % 256};
}

Rgb Join(const Channels& c) { return c.blue * 65536 + c.green * 256 + c.red; }

Palette SystemPalette(ColorSource& colours) {
  Palette p;
  p.faceColor = p.faceOverColor = colours.SystemColor(kButtonFace);
  p.textColor = p.textOverColor = colours.SystemColor(kButtonText);
  p.shadowColor = colours.SystemColor(kButtonShadow);
  p.lightColor = colours.SystemColor(kLight3D);
  p.highlightColor = colours.SystemColor(kButtonHighlight);
  p.darkShadowColor = colours.SystemColor(kDarkShadow3D);
  p.selectionColor = colours.SystemColor(kSelectionHighlight);
  p.selectionLightColor = BlendWhite(p.selectionColor, 176);
  return p;
}

Palette HighContrastPalette(ColorSource& colours) {
  Palette p;
  p.highContrast = true;
  p.faceColor = p.faceOverColor = p.lightColor = p.faceBrightColor = p.selectionLightColor =
      colours.SystemColor(kButtonFace);
  p.textColor = p.textOverColor = p.shadowColor = p.highlightColor = p.darkShadowColor =
      colours.SystemColor(kButtonText);
  p.selectionColor = colours.SystemColor(kSelectionHighlight);
  p.selectionTextColor = colours.SystemColor(kSelectionText);
  p.greyTextColor = colours.SystemColor(kGreyText);
  return p;
}

Palette FixedGreyPalette() {
  Palette p;
  p.faceColor = p.faceOverColor = 0xC0C0C0;
  p.textColor = p.textOverColor = 0x000000;
  p.shadowColor = 0x808080;
  p.lightColor = 0xDFDFDF;
  p.highlightColor = 0xFFFFFF;
  p.darkShadowColor = 0x000000;
  p.selectionColor = 0x800000;
  p.selectionLightColor = 0xD1ADAD;
  return p;
}

// The bevel shades both CustomColors and ContainerColors derive from their face colour.
void DeriveShades(Palette& p, bool softBevel) {
  p.shadowColor = ShiftColor(p.faceColor, -64, false, softBevel);
  p.lightColor = ShiftColor(p.faceColor, 31, false, softBevel);
  p.highlightColor = ShiftColor(p.faceColor, 47, false, softBevel);
  p.darkShadowColor = ShiftColor(p.faceColor, -192, false, softBevel);
}

Palette CustomPalette(const PaletteSettings& s, ColorSource& colours) {
  Palette p;
  p.faceColor = colours.TranslateColor(s.backColor);
  p.faceOverColor = colours.TranslateColor(s.backOver);
  p.textColor = colours.TranslateColor(s.foreColor);
  p.textOverColor = colours.TranslateColor(s.foreOver);
  DeriveShades(p, s.softBevel);
  p.selectionColor = ShiftColor(p.faceColor, -128, false, s.softBevel);
  p.selectionLightColor = p.faceColor;
  return p;
}

Palette ContainerPalette(const PaletteSettings& s, ColorSource& colours) {
  Palette p;
  p.faceColor = p.faceOverColor = colours.ParentBackColor();
  p.textColor = p.textOverColor = colours.ParentTextColor();
  DeriveShades(p, s.softBevel);
  p.selectionColor = colours.SystemColor(kSelectionHighlight);
  p.selectionLightColor = BlendWhite(p.selectionColor, 176);
  return p;
}

Palette SchemePalette(const PaletteSettings& s, ColorSource& colours) {
  switch (s.colorScheme) {
    case kCustomColors:
      return CustomPalette(s, colours);
    case kFixedGrey:
      return FixedGreyPalette();
    case kContainerColors:
      return ContainerPalette(s, colours);
    default:
      return SystemPalette(colours);
  }
}

}  // namespace

Rgb ShiftColor(Rgb colour, std::int32_t amount, bool proportionalBlue, bool softBevel) {
  if (softBevel) amount /= 2;
  Channels c = Split(colour);
  c.blue += proportionalBlue ? c.blue * amount / 192 : amount;
  c.green += amount;
  c.red += amount;
  for (std::int32_t* channel : {&c.blue, &c.green, &c.red}) {
    if (amount > 0) *channel = std::min(*channel, 255);
    if (amount < 0) *channel = std::max(*channel, 0);
  }
  return Join(c);
}

Rgb BlendWhite(Rgb colour, std::int32_t amount) {
  Channels c = Split(colour);
  for (std::int32_t* channel : {&c.blue, &c.green, &c.red}) {
    *channel = std::min((255 - amount) * *channel / 255 + amount, 255);
  }
  return Join(c);
}

Palette ComputePalette(const PaletteSettings& settings, ColorSource& colours) {
  if (settings.highContrast) {
    Palette p = HighContrastPalette(colours);
    p.maskColorRgb = colours.TranslateColor(settings.maskColor);
    return p;
  }
  Palette p = SchemePalette(settings, colours);
  p.maskColorRgb = colours.TranslateColor(settings.maskColor);
  p.faceBrightColor = ShiftColor(p.faceColor, 48, settings.buttonType == kRoundedGradient,
                                 settings.softBevel);
  return p;
}

}  // namespace tesk::button
