#pragma once
// An in-memory registry for the native tests: keys by full path below a root, values as raw
// bytes with their type (and a REG_DWORD's number), and a record of every key left open.

#include <map>
#include <string>

#include "platform/registry.h"

namespace tesk::test {

class MemoryRegistry final : public platform::Registry {
 public:
  static constexpr platform::RegistryKey kCurrentUser = 0x80000001;

  // Keys are named "root|subkey"; an empty subkey is the root key itself.
  void AddKey(platform::RegistryKey root, const std::string& subKey);
  void SetRaw(platform::RegistryKey root, const std::string& subKey, const std::string& name,
              const std::string& bytes, std::uint32_t type = platform::kRegistryString);
  void SetDword(platform::RegistryKey root, const std::string& subKey, const std::string& name,
                std::uint32_t number);
  size_t OpenKeyCount() const { return open_.size(); }
  std::uint32_t LastAccess() const { return lastAccess_; }

  long Open(platform::RegistryKey root, const std::string& subKey, std::uint32_t access,
            platform::RegistryKey& key) override;
  platform::RegistryQuery Query(platform::RegistryKey key, const std::string& valueName,
                                std::uint32_t capacity) override;
  long SetString(platform::RegistryKey key, const std::string& valueName,
                 const std::string& value) override;
  void Close(platform::RegistryKey key) override;

 private:
  struct Value {
    std::uint32_t type = platform::kRegistryString;
    std::string bytes;
    std::uint32_t number = 0;
  };
  static std::string Path(platform::RegistryKey root, const std::string& subKey);

  std::map<std::string, std::map<std::string, Value>> keys_;
  std::map<platform::RegistryKey, std::string> open_;
  platform::RegistryKey nextHandle_ = 0x1000;
  std::uint32_t lastAccess_ = 0;
};

}  // namespace tesk::test
