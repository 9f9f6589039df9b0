#include "win32/ui/form_gdi_cache.h"

#include <iterator>

#include "win32/ui/fonts.h"

namespace tesk::win32 {

HFONT FormGdiCache::Font(const platform::FormFont& font) {
  const FontKey key{font.name, font.size, font.bold, font.underline, dpi_};
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    // Labels show any text a host passes: the system may pick the font's character set.
    button::FontDescription description = DescribeFont(font);
    description.charset = DEFAULT_CHARSET;
    UniqueGdiObject created(CreateSurfaceFont(description, dpi_));
    if (!created) return nullptr;
    found = fonts_.emplace(key, std::move(created)).first;
  }
  return static_cast<HFONT>(found->second.get());
}

void FormGdiCache::ReleaseOtherDpis() {
  for (auto it = fonts_.begin(); it != fonts_.end();) {
    it = std::get<int>(it->first) == dpi_ ? std::next(it) : fonts_.erase(it);
  }
}

HBRUSH FormGdiCache::Brush(COLORREF colour) {
  auto found = brushes_.find(colour);
  if (found == brushes_.end()) {
    UniqueGdiObject created(CreateSolidBrush(colour));
    if (!created) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    found = brushes_.emplace(colour, std::move(created)).first;
  }
  return static_cast<HBRUSH>(found->second.get());
}

}  // namespace tesk::win32
