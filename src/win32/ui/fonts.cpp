#include "win32/ui/fonts.h"

#include <cstdlib>
#include <cwchar>
#include <string>

#include "win32/system/text_encoding.h"

namespace tesk::win32 {

HFONT CreateSurfaceFont(const button::FontDescription& font, int pixelsPerInch) {
  LOGFONTW description{};
  // A negative height asks for the character height, as point sizes mean.
  description.lfHeight = -MulDiv(static_cast<int>(font.size * 100), pixelsPerInch, 7200);
  description.lfWeight = font.weight;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikethrough;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  const std::wstring face = WideFromUtf8(font.name);
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&description);
}

button::FontDescription DescribeFont(HFONT font, int pixelsPerInch) {
  LOGFONTW logFont{};
  button::FontDescription description;
  if (!font || !GetObjectW(font, sizeof logFont, &logFont)) return description;
  description.name = Utf8FromWide(logFont.lfFaceName, wcslen(logFont.lfFaceName));
  description.size = std::abs(logFont.lfHeight) * 72.0 / pixelsPerInch;
  description.weight = static_cast<std::int16_t>(logFont.lfWeight);
  description.italic = logFont.lfItalic != 0;
  description.underline = logFont.lfUnderline != 0;
  description.strikethrough = logFont.lfStrikeOut != 0;
  description.charset = logFont.lfCharSet;
  return description;
}

button::FontDescription DescribeFont(const platform::FormFont& font) {
  button::FontDescription description;
  description.name = font.name;
  description.size = font.size;
  description.weight = font.bold ? FW_BOLD : FW_NORMAL;
  description.underline = font.underline;
  return description;
}

}  // namespace tesk::win32
