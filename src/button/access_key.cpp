#include "button/access_key.h"

#include <cctype>

namespace tesk::button {
namespace {

std::string LowerCharacter(char c) {
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
}

}  // namespace

// Only the first ampersand, and after a doubled one the next, are looked at.
std::string AccessKeyOf(const std::string& caption) {
  if (caption.size() < 2) return {};
  const auto first = caption.find('&');
  if (first == std::string::npos || first + 1 == caption.size()) return {};
  if (caption[first + 1] != '&') return LowerCharacter(caption[first + 1]);
  const auto next = caption.find('&', first + 2);
  if (next == std::string::npos || next + 1 == caption.size() || caption[next + 1] == '&') {
    return {};
  }
  return LowerCharacter(caption[next + 1]);
}

}  // namespace tesk::button
