#pragma once
// UTF-8 to the UTF-16 that BIFF8 stores, cut to a length limit.

#include <cstddef>
#include <string>
#include <string_view>

namespace tesk::workbook {

// Replaces `out` with `text` as UTF-16: each invalid sequence (its longest valid-looking start)
// becomes one U+FFFD, and the text stops before the first character that would make it longer
// than `maxUnits` code units, so a surrogate pair is never cut in two.
void ToUtf16(std::string_view text, std::size_t maxUnits, std::u16string& out);

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Whether BIFF8 must store `text` as UTF-16 rather than one byte a character.
inline bool NeedsWideForm(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit > 0xFF) return true;
  }
  return false;
}

}  // namespace tesk::workbook
