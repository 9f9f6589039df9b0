#pragma once
// The cmd button's working colours: the palette derived from its colour scheme, and the colour
// arithmetic (ShiftColor, BlendWhite) that the palette and the drawing effects share.

#include <cstdint>

namespace tesk::button {

// An OLE colour: plain 0x00BBGGRR, or a system-colour reference (high bit set).
using OleColor = std::uint32_t;
// A plain colour 0x00BBGGRR, as the Long the control computes with.
using Rgb = std::int32_t;

enum ColorSchemes : std::int32_t {
  kSystemColors = 1,
  kCustomColors = 2,
  kFixedGrey = 3,
  kContainerColors = 4,
};

// System colour indices of GetSysColor that the palette reads.
enum SystemColorIndex : int {
  kSelectionHighlight = 13,
  kSelectionText = 14,
  kButtonFace = 15,
  kButtonShadow = 16,
  kGreyText = 17,
  kButtonText = 18,
  kButtonHighlight = 20,
  kDarkShadow3D = 21,
  kLight3D = 22,
};

// Where colours that are not the control's own come from: the platform and the parent window.
class ColorSource {
 public:
  virtual ~ColorSource() = default;
  virtual Rgb SystemColor(int index) = 0;
  // OleTranslateColor without a palette; 0 (black) when it fails.
  virtual Rgb TranslateColor(OleColor colour) = 0;
  // The current background and text colours of the parent window's device context.
  virtual Rgb ParentBackColor() = 0;
  virtual Rgb ParentTextColor() = 0;
  // Whether a high-contrast theme is on; a host that knows of no such theme answers false.
  virtual bool HighContrast() { return false; }
};

// Brightens (positive amount) or darkens each channel, clamped in the direction of the change;
// with `softBevel` the amount is halved first. `proportionalBlue` scales the blue channel's
// change by its own value (blue + blue * amount / 192).
Rgb ShiftColor(Rgb colour, std::int32_t amount, bool proportionalBlue, bool softBevel);

// Mixes each channel with white: ((255 - amount) * c) / 255 + amount, at most 255.
Rgb BlendWhite(Rgb colour, std::int32_t amount);

// What the palette is computed from.
struct PaletteSettings {
  std::int32_t colorScheme = kSystemColors;
  std::int32_t buttonType = 2;
  bool softBevel = false;
  OleColor backColor = 0;
  OleColor backOver = 0;
  OleColor foreColor = 0;
  OleColor foreOver = 0;
  OleColor maskColor = 0xC0C0C0;
  bool highContrast = false;
};

struct Palette {
  Rgb faceColor = 0;
  Rgb faceOverColor = 0;
  Rgb textColor = 0;
  Rgb textOverColor = 0;
  Rgb shadowColor = 0;
  Rgb lightColor = 0;
  Rgb highlightColor = 0;
  Rgb darkShadowColor = 0;
  Rgb selectionColor = 0;
  Rgb selectionLightColor = 0;
  Rgb maskColorRgb = 0;
  Rgb faceBrightColor = 0;  // faceColor brightened by 48
  // A high-contrast theme's palette, with the two colours only such a palette has.
  bool highContrast = false;
  Rgb selectionTextColor = 0;
  Rgb greyTextColor = 0;
};

// SetColors: the palette of the settings' scheme; any scheme but 2, 3 and 4 is SystemColors.
// In a high-contrast theme every scheme gives the theme's palette: face colours (face, light,
// bright, selection light) are its button face, line colours (text, shadows, highlight) its
// button text, the selection its highlight; no colour is derived by shading.
Palette ComputePalette(const PaletteSettings& settings, ColorSource& colours);

}  // namespace tesk::button
