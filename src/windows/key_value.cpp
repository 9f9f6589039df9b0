#include "windows/key_value.h"

#include <cstdio>

namespace tesk::windows {
namespace {

// Every specific key right (query, set, create, enumerate, notify, link) plus READ_CONTROL:
// more than a read needs, so a key this user may not change is not read either.
constexpr std::uint32_t kKeyAccess = 0x2003F;
constexpr std::uint32_t kBufferSize = 1024;

// The text the query wrote, without the NUL that ends it when one does.
std::string WithoutTerminator(const std::string& data) {
  if (!data.empty() && data.back() == '\0') return data.substr(0, data.size() - 1);
  return data;
}

std::string HexText(std::uint32_t number) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(number));
  return std::string("&h") + digits;
}

void ApplyQuery(const platform::RegistryQuery& query, std::string& value) {
  if (query.type == platform::kRegistryString) value = WithoutTerminator(query.data);
  if (query.type == platform::kRegistryDword) value = HexText(query.number);
}

}  // namespace

bool GetKeyValue(platform::Registry& registry, platform::RegistryKey root,
                 const std::string& keyName, const std::string& valueName, std::string& value) {
  const platform::OpenedKey key(registry, root, keyName, kKeyAccess);
  if (key.IsOpen()) {
    const platform::RegistryQuery query = registry.Query(key.Get(), valueName, kBufferSize);
    if (query.status == platform::kRegistrySuccess) {
      ApplyQuery(query, value);
      return true;
    }
  }
  value.clear();
  return false;
}

}  // namespace tesk::windows
