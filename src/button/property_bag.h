#pragma once
// The property bag a cmd button is saved to and restored from. Keys compare without regard to
// case and are kept in lower case, in the order first written; a picture key whose value is no
// picture is not kept. Ahead of the control's keys the host keeps its own "_extentx" and
// "_extenty" (the control's size in HIMETRIC), which the control never reads or writes.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "button/property_value.h"

namespace tesk::button {

class PropertyBag {
 public:
  PropertyBag() = default;
  // A bag a host makes for a control of this size, in HIMETRIC units.
  PropertyBag(std::int32_t extentX, std::int32_t extentY);

  std::optional<PropertyValue> Read(const std::string& key) const;
  // The value stored under `key`, or `fallback` when the bag lacks it.
  PropertyValue Read(const std::string& key, PropertyValue fallback) const;
  void Write(const std::string& key, PropertyValue value);

  // The entries as saved: lower-case keys in writing order.
  const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace tesk::button
