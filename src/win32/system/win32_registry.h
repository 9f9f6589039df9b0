#pragma once
// The registry through advapi32's ANSI functions.

#include "platform/registry.h"

namespace tesk::win32 {

class Win32Registry final : public platform::Registry {
 public:
  long Open(platform::RegistryKey root, const std::string& subKey, std::uint32_t access,
            platform::RegistryKey& key) override;
  platform::RegistryQuery Query(platform::RegistryKey key, const std::string& valueName,
                                std::uint32_t capacity) override;
  long SetString(platform::RegistryKey key, const std::string& valueName,
                 const std::string& value) override;
  void Close(platform::RegistryKey key) override;
};

}  // namespace tesk::win32
