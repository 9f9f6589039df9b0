#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

namespace tesk::win32 {
namespace {

// Predefined keys are 32-bit values that Windows sign-extends into a 64-bit HKEY.
HKEY ToHkey(platform::RegistryKey key) {
  const bool predefined = key >= 0x80000000u && key <= 0x800000FFu;
  if (predefined) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

}  // namespace

long Win32Registry::Open(platform::RegistryKey root, const std::string& subKey,
                         std::uint32_t access, platform::RegistryKey& key) {
  HKEY opened = nullptr;
  const LONG status =
      RegOpenKeyExA(ToHkey(root), AnsiFromUtf8(subKey).c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) key = reinterpret_cast<ULONG_PTR>(opened);
  return status;
}

platform::RegistryQuery Win32Registry::Query(platform::RegistryKey key,
                                             const std::string& valueName,
                                             std::uint32_t capacity) {
  std::string buffer(capacity, ' ');
  DWORD size = capacity;
  platform::RegistryQuery result;
  result.status = RegQueryValueExA(ToHkey(key), AnsiFromUtf8(valueName).c_str(), nullptr,
                                   nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
  // Only the bytes the value holds count: Windows may add a NUL past them when it has room.
  if (result.status == ERROR_SUCCESS) result.data = Utf8FromAnsi(buffer.substr(0, size));
  return result;
}

long Win32Registry::SetString(platform::RegistryKey key, const std::string& valueName,
                              const std::string& value) {
  const std::string bytes = AnsiFromUtf8(value);
  return RegSetValueExA(ToHkey(key), AnsiFromUtf8(valueName).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

void Win32Registry::Close(platform::RegistryKey key) { RegCloseKey(ToHkey(key)); }

}  // namespace tesk::win32
