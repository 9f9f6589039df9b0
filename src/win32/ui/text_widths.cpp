#include "win32/ui/text_widths.h"

#include <algorithm>

#include "win32/system/text_encoding.h"

namespace tesk::win32 {

TextWidths::TextWidths(HDC dc)
    : dc_(dc), tabulated_(GetCharWidth32W(dc, 0, kTabulated - 1, advances_.data()) != FALSE) {}

int TextWidths::Width(const std::string& utf8) const {
  if (tabulated_ && std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
    int width = 0;
    for (const char c : utf8) width += advances_[static_cast<unsigned char>(c)];
    return width;
  }
  const std::wstring text = WideFromUtf8(utf8);
  if (tabulated_ && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < kTabulated; })) {
    int width = 0;
    for (const wchar_t c : text) width += advances_[c];
    return width;
  }
  SIZE extent{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

}  // namespace tesk::win32
