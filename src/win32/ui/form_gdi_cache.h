#pragma once
// The fonts and brushes of one form: one GDI object per distinct font (at a DPI) and colour,
// created on first use and deleted with the cache, that is when the form unloads.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/form.h"
#include "win32/ui/gdi_objects.h"

namespace tesk::win32 {

class FormGdiCache {
 public:
  // Fonts asked for from now on are made for `dpi`; those made before live on, for the
  // windows that may still use them, until ReleaseOtherDpis.
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Deletes the fonts made for other DPIs, once no window uses them any more.
  void ReleaseOtherDpis();

  // Null when the system cannot make the font; controls then keep the system font.
  HFONT Font(const platform::FormFont& font);
  HBRUSH Brush(COLORREF colour);

 private:
  using FontKey = std::tuple<std::string, double, bool, bool, int>;

  int dpi_ = 96;
  std::map<FontKey, UniqueGdiObject> fonts_;
  std::map<COLORREF, UniqueGdiObject> brushes_;
};

}  // namespace tesk::win32
