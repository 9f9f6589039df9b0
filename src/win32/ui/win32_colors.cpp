#include "win32/ui/win32_colors.h"

#include <windows.h>
#include <olectl.h>
#include <ole2.h>

namespace tesk::win32 {

button::Rgb SystemColor(int index) { return static_cast<button::Rgb>(GetSysColor(index)); }

button::Rgb TranslateOleColor(button::OleColor colour) {
  COLORREF translated = 0;
  if (FAILED(OleTranslateColor(colour, nullptr, &translated))) return 0;
  return static_cast<button::Rgb>(translated);
}

bool HighContrastOn() {
  HIGHCONTRASTW theme{};
  theme.cbSize = sizeof theme;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof theme, &theme, 0) &&
         (theme.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace tesk::win32
