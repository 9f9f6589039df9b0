#include "win32/ui/form_colours.h"

#include "win32/ui/win32_colors.h"

namespace tesk::win32 {

COLORREF FormColour(platform::OleColor colour, ColourRole role) {
  if (!HighContrastOn()) return static_cast<COLORREF>(TranslateOleColor(colour));
  switch (role) {
    case ColourRole::Surface: return GetSysColor(COLOR_WINDOW);
    case ColourRole::Link: return GetSysColor(COLOR_HOTLIGHT);
    default: return GetSysColor(COLOR_WINDOWTEXT);
  }
}

}  // namespace tesk::win32
