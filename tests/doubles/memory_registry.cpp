#include "doubles/memory_registry.h"

namespace tesk::test {

constexpr long kFileNotFound = 2;
constexpr long kInvalidHandle = 6;

platform::RegistryQuery Failed(long status) {
  platform::RegistryQuery query;
  query.status = status;
  return query;
}

std::string MemoryRegistry::Path(platform::RegistryKey root, const std::string& subKey) {
  return std::to_string(root) + "|" + subKey;
}

void MemoryRegistry::AddKey(platform::RegistryKey root, const std::string& subKey) {
  keys_[Path(root, subKey)];
}

void MemoryRegistry::SetRaw(platform::RegistryKey root, const std::string& subKey,
                            const std::string& name, const std::string& bytes,
                            std::uint32_t type) {
  keys_[Path(root, subKey)][name] = {type, bytes, 0};
}

void MemoryRegistry::SetDword(platform::RegistryKey root, const std::string& subKey,
                              const std::string& name, std::uint32_t number) {
  std::string bytes;  // little-endian, as the system stores it
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(number >> shift);
  keys_[Path(root, subKey)][name] = {platform::kRegistryDword, bytes, number};
}

long MemoryRegistry::Open(platform::RegistryKey root, const std::string& subKey,
                          std::uint32_t access, platform::RegistryKey& key) {
  lastAccess_ = access;
  const std::string path = Path(root, subKey);
  if (keys_.count(path) == 0) return kFileNotFound;
  key = nextHandle_++;
  open_[key] = path;
  return platform::kRegistrySuccess;
}

platform::RegistryQuery MemoryRegistry::Query(platform::RegistryKey key,
                                              const std::string& valueName,
                                              std::uint32_t capacity) {
  const auto handle = open_.find(key);
  if (handle == open_.end()) return Failed(kInvalidHandle);
  const auto& values = keys_[handle->second];
  const auto value = values.find(valueName);
  if (value == values.end()) return Failed(kFileNotFound);
  const Value& stored = value->second;
  if (stored.bytes.size() > capacity) return Failed(platform::kRegistryMoreData);
  return {platform::kRegistrySuccess, stored.type, stored.bytes, stored.number};
}

long MemoryRegistry::SetString(platform::RegistryKey key, const std::string& valueName,
                               const std::string& value) {
  const auto handle = open_.find(key);
  if (handle == open_.end()) return kInvalidHandle;
  keys_[handle->second][valueName] = {platform::kRegistryString, value, 0};
  return platform::kRegistrySuccess;
}

void MemoryRegistry::Close(platform::RegistryKey key) { open_.erase(key); }

}  // namespace tesk::test
