#pragma once
// The four registry calls the library needs, with text in UTF-8. The Windows implementation
// converts to the ANSI code page just before each call.

#include <cstdint>
#include <string>

namespace tesk::platform {

// A predefined root key (HKEY_CURRENT_USER is 0x80000001, ...) or a key opened through Registry.
using RegistryKey = std::uint64_t;

// Win32 status codes the portable code looks at.
constexpr long kRegistrySuccess = 0;
constexpr long kRegistryMoreData = 234;  // ERROR_MORE_DATA

constexpr std::uint32_t kRegistryReadAccess = 0x20019;   // KEY_READ
constexpr std::uint32_t kRegistryWriteAccess = 0x20006;  // KEY_WRITE

constexpr std::uint32_t kRegistryString = 1;  // REG_SZ
constexpr std::uint32_t kRegistryDword = 4;   // REG_DWORD

struct RegistryQuery {
  long status = kRegistrySuccess;
  std::uint32_t type = 0;  // REG_SZ, REG_DWORD, ...
  std::string data;  // the bytes the system wrote into the caller's buffer, as text
  std::uint32_t number = 0;  // a REG_DWORD's value
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key; never creates one. On success stores the open key in `key`.
  virtual long Open(RegistryKey root, const std::string& subKey, std::uint32_t access,
                    RegistryKey& key) = 0;
  // Reads a value of any type into a buffer of `capacity` bytes; data that does not fit
  // fails with kRegistryMoreData.
  virtual RegistryQuery Query(RegistryKey key, const std::string& valueName,
                              std::uint32_t capacity) = 0;
  // Stores `value` as a string value, without a terminating NUL.
  virtual long SetString(RegistryKey key, const std::string& valueName,
                         const std::string& value) = 0;
  virtual void Close(RegistryKey key) = 0;
};

// A key opened through a Registry, closed when the routine leaves, whatever happened in between.
class OpenedKey {
 public:
  OpenedKey(Registry& registry, RegistryKey root, const std::string& subKey, std::uint32_t access)
      : registry_(registry),
        opened_(registry.Open(root, subKey, access, key_) == kRegistrySuccess) {}
  ~OpenedKey() {
    if (opened_) registry_.Close(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  bool IsOpen() const { return opened_; }
  RegistryKey Get() const { return key_; }

 private:
  Registry& registry_;
  RegistryKey key_ = 0;
  bool opened_;
};

}  // namespace tesk::platform
