#pragma once
// The values a property bag holds for the cmd button, and the conversions that reading a bag
// applies to reach each field's type. A value that cannot be converted throws ConversionError,
// which ends the reading of a bag at that key.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>

namespace tesk::platform {
class Picture;
}

namespace tesk::button {

using platform::Picture;

// A standard font object: what a bag keeps of a font.
struct FontDescription {
  std::string name = "Tahoma";
  double size = 8.25;  // points, kept to four decimals as the font object keeps them
  std::int16_t weight = 400;
  std::int16_t charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool Bold() const { return weight >= 600; }
  bool operator==(const FontDescription& other) const;
};

using PicturePtr = std::shared_ptr<const Picture>;

using PropertyValue = std::variant<std::monostate, std::int16_t, std::int32_t, bool, std::string,
                                   FontDescription, PicturePtr>;

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Numbers, Booleans (True is -1) and numeric text become a Long; fractions round half to even.
std::int32_t ToLong(const PropertyValue& value);
// As ToLong, then limited to -32768..32767 (overflow is a ConversionError).
std::int16_t ToInteger(const PropertyValue& value);
// Numbers are True when not zero; text is "True", "False" or a number, in any case.
bool ToBoolean(const PropertyValue& value);
// Numbers in decimal, Booleans as "True" / "False".
std::string ToText(const PropertyValue& value);
FontDescription ToFont(const PropertyValue& value);
// No picture for an empty value.
PicturePtr ToPicture(const PropertyValue& value);

}  // namespace tesk::button
