#pragma once
// Text widths in one font, fast enough to measure every cell of a large grid once: the
// advance widths of the first characters of Unicode are read once and summed, the system
// measures only texts with characters beyond them (which may combine or join).

#include <windows.h>

#include <array>
#include <string>

namespace tesk::win32 {

class TextWidths {
 public:
  // `dc` must have the font selected for as long as the object measures.
  explicit TextWidths(HDC dc);

  int Width(const std::string& utf8) const;

 private:
  static constexpr wchar_t kTabulated = 0x0300;  // below the combining diacritical marks

  HDC dc_;
  std::array<int, kTabulated> advances_{};  // filled before tabulated_ is known
  bool tabulated_;  // the system gave the advances; else every text is measured
};

}  // namespace tesk::win32
