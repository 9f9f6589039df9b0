#include "platform/win32/ui/form_gdi_cache.h"

#include <cmath>

#include "platform/win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

HFONT CreateFormFont(const platform::FormFont& font, int dpiY) {
  LOGFONTW description{};
  // Hundredths of a point keep sizes such as 8.25 exact; a negative height asks for the
  // character height, as point sizes mean.
  const int hundredths = static_cast<int>(std::lround(font.size * 100.0));
  description.lfHeight = -MulDiv(hundredths, dpiY, 7200);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfUnderline = font.underline ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = WideFromUtf8(font.name);
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&description);
}

}  // namespace

HFONT FormGdiCache::Font(const platform::FormFont& font) {
  const FontKey key{font.name, font.size, font.bold, font.underline};
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    UniqueGdiObject created(CreateFormFont(font, dpiY_));
    if (!created) return nullptr;
    found = fonts_.emplace(key, std::move(created)).first;
  }
  return static_cast<HFONT>(found->second.get());
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
