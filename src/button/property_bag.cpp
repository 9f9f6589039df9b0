#include "button/property_bag.h"

#include <algorithm>
#include <cctype>

namespace tesk::button {
namespace {

std::string LowerCase(std::string key) {
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

bool IsNoPicture(const PropertyValue& value) {
  const auto* picture = std::get_if<PicturePtr>(&value);
  return picture && !*picture;
}

}  // namespace

PropertyBag::PropertyBag(std::int32_t extentX, std::int32_t extentY)
    : entries_{{"_extentx", extentX}, {"_extenty", extentY}} {}

std::optional<PropertyValue> PropertyBag::Read(const std::string& key) const {
  const std::string wanted = LowerCase(key);
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&wanted](const auto& entry) { return entry.first == wanted; });
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

PropertyValue PropertyBag::Read(const std::string& key, PropertyValue fallback) const {
  return Read(key).value_or(std::move(fallback));
}

void PropertyBag::Write(const std::string& key, PropertyValue value) {
  const std::string stored = LowerCase(key);
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&stored](const auto& entry) { return entry.first == stored; });
  if (IsNoPicture(value)) {
    if (found != entries_.end()) entries_.erase(found);
    return;
  }
  if (found != entries_.end()) {
    found->second = std::move(value);
  } else {
    entries_.emplace_back(stored, std::move(value));
  }
}

}  // namespace tesk::button
