#include "workbook/utf16_text.h"

#include <cstdint>

namespace tesk::workbook {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// How a lead byte starts a sequence: its length, its payload bits, and the range its second byte
// must be in (narrower after E0, ED, F0, F4, which rules out overlong forms, surrogates and
// code points past U+10FFFF).
struct Lead {
  int length;
  char32_t bits;
  std::uint8_t low;
  std::uint8_t high;
};

Lead LeadOf(std::uint8_t byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, byte & 0x1Fu, 0x80, 0xBF};
  if (byte >= 0xE0 && byte <= 0xEF) {
    return {3, byte & 0x0Fu, std::uint8_t(byte == 0xE0 ? 0xA0 : 0x80),
            std::uint8_t(byte == 0xED ? 0x9F : 0xBF)};
  }
  if (byte >= 0xF0 && byte <= 0xF4) {
    return {4, byte & 0x07u, std::uint8_t(byte == 0xF0 ? 0x90 : 0x80),
            std::uint8_t(byte == 0xF4 ? 0x8F : 0xBF)};
  }
  return {0, 0, 0, 0};
}

// Decodes the character at `at`, moving `at` past it, or past the invalid bytes that give U+FFFD.
char32_t Decode(std::string_view text, std::size_t& at) {
  const auto first = static_cast<std::uint8_t>(text[at++]);
  if (first < 0x80) return first;
  const Lead lead = LeadOf(first);
  if (lead.length == 0) return kReplacement;
  char32_t code = lead.bits;
  std::uint8_t low = lead.low;
  std::uint8_t high = lead.high;
  for (int i = 1; i < lead.length; ++i) {
    if (at == text.size()) return kReplacement;
    const auto next = static_cast<std::uint8_t>(text[at]);
    if (next < low || next > high) return kReplacement;
    code = (code << 6) | (next & 0x3Fu);
    ++at;
    low = 0x80;  // only the second byte has a narrower range
    high = 0xBF;
  }
  return code;
}

}  // namespace

void ToUtf16(std::string_view text, std::size_t maxUnits, std::u16string& out) {
  out.clear();
  std::size_t at = 0;
  while (at < text.size()) {
    const char32_t code = Decode(text, at);
    const std::size_t units = code < 0x10000 ? 1 : 2;
    if (out.size() + units > maxUnits) return;
    if (units == 1) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
}

}  // namespace tesk::workbook
