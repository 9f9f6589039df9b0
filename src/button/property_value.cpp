#include "button/property_value.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tesk::button {
namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Decimal text, with an optional fraction and exponent; anything else is not a number.
double NumberFromText(const std::string& text) {
  const std::string trimmed = Trimmed(text);
  char* end = nullptr;
  const double number = std::strtod(trimmed.c_str(), &end);
  if (trimmed.empty() || end != trimmed.c_str() + trimmed.size() || !std::isfinite(number)) {
    throw ConversionError("Type mismatch");
  }
  return number;
}

double ToNumber(const PropertyValue& value) {
  return std::visit(
      Overloaded{
          [](std::int16_t n) { return static_cast<double>(n); },
          [](std::int32_t n) { return static_cast<double>(n); },
          [](bool b) { return b ? -1.0 : 0.0; },
          [](const std::string& text) { return NumberFromText(text); },
          [](std::monostate) { return 0.0; },
          [](const auto&) -> double { throw ConversionError("Type mismatch"); },
      },
      value);
}

// Kept a double: a number past any integer's range must fail the range check, not be cast.
double RoundHalfToEven(double number) {
  return std::nearbyint(number);  // default rounding: half to even
}

}  // namespace

bool FontDescription::operator==(const FontDescription& other) const {
  return name == other.name && size == other.size && weight == other.weight &&
         charset == other.charset && italic == other.italic && underline == other.underline &&
         strikethrough == other.strikethrough;
}

std::int32_t ToLong(const PropertyValue& value) {
  const double number = RoundHalfToEven(ToNumber(value));
  // Written so that a NaN fails too.
  if (!(number >= std::numeric_limits<std::int32_t>::min() &&
        number <= std::numeric_limits<std::int32_t>::max())) {
    throw ConversionError("Overflow");
  }
  return static_cast<std::int32_t>(number);
}

std::int16_t ToInteger(const PropertyValue& value) {
  const std::int32_t number = ToLong(value);
  if (number < std::numeric_limits<std::int16_t>::min() ||
      number > std::numeric_limits<std::int16_t>::max()) {
    throw ConversionError("Overflow");
  }
  return static_cast<std::int16_t>(number);
}

bool ToBoolean(const PropertyValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    const std::string word = Lower(Trimmed(*text));
    if (word == "true") return true;
    if (word == "false") return false;
  }
  return ToNumber(value) != 0.0;
}

std::string ToText(const PropertyValue& value) {
  return std::visit(
      Overloaded{
          [](std::int16_t n) { return std::to_string(n); },
          [](std::int32_t n) { return std::to_string(n); },
          [](bool b) { return std::string(b ? "True" : "False"); },
          [](const std::string& text) { return text; },
          [](std::monostate) { return std::string(); },
          [](const auto&) -> std::string { throw ConversionError("Type mismatch"); },
      },
      value);
}

FontDescription ToFont(const PropertyValue& value) {
  if (const auto* font = std::get_if<FontDescription>(&value)) return *font;
  throw ConversionError("Type mismatch");
}

PicturePtr ToPicture(const PropertyValue& value) {
  if (std::holds_alternative<std::monostate>(value)) return nullptr;
  if (const auto* picture = std::get_if<PicturePtr>(&value)) return *picture;
  throw ConversionError("Type mismatch");
}

}  // namespace tesk::button
