#pragma once
// A high-contrast theme as the library loaded in this process sees it, for the pictures and
// tests of its windows under Wine. Wine keeps no high-contrast setting (SPI_SETHIGHCONTRAST
// fails, SPI_GETHIGHCONTRAST always says off), so the library's own import of
// SystemParametersInfoW is patched to say on. The rest is done as the system does it:
// SetSysColors changes the colours and sends WM_SYSCOLORCHANGE to the top-level windows, and
// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST is broadcast.

#include <windows.h>

#include <vector>

namespace tesk::tools {

struct ThemeColour {
  int index;  // COLOR_BTNFACE, ...
  COLORREF colour;
};

// The system's "High Contrast Black" colours that the library's windows use.
std::vector<ThemeColour> HighContrastBlack();

// While it lives the library sees the theme in `colours`; the system's colours and the
// library's import come back whatever happens. The colours change first and the theme follows:
// open windows must heed both notices.
class HighContrastTheme {
 public:
  explicit HighContrastTheme(std::vector<ThemeColour> colours);
  ~HighContrastTheme();
  HighContrastTheme(const HighContrastTheme&) = delete;
  HighContrastTheme& operator=(const HighContrastTheme&) = delete;
  // False when the library is not loaded or does not import the function.
  bool Patched() const { return slot_ != nullptr; }

 private:
  void SetColours(const std::vector<ThemeColour>& colours);
  void Write(ULONG_PTR function);

  std::vector<ThemeColour> kept_;
  ULONG_PTR original_;
  ULONG_PTR* slot_ = nullptr;
};

}  // namespace tesk::tools
