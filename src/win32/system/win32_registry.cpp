#include "win32/system/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "win32/system/text_encoding.h"

// Values are read and written as the ANSI functions are documented to: text converted to the
// ANSI code page, string data stored exactly as long as the text. The conversion is made here,
// over the wide functions, because Wine's RegQueryValueExA counts a terminating NUL that was
// never stored.

namespace tesk::win32 {
namespace {

// The portable code's copies of the system's values.
static_assert(platform::kRegistrySuccess == ERROR_SUCCESS &&
              platform::kRegistryMoreData == ERROR_MORE_DATA);
static_assert(platform::kRegistryReadAccess == KEY_READ &&
              platform::kRegistryWriteAccess == KEY_WRITE);
static_assert(platform::kRegistryString == REG_SZ && platform::kRegistryDword == REG_DWORD);

// Predefined keys are 32-bit values that Windows sign-extends into a 64-bit HKEY.
HKEY ToHkey(platform::RegistryKey key) {
  const bool predefined = key >= 0x80000000u && key <= 0x800000FFu;
  if (predefined) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The bytes an ANSI query would deliver for the wide query's result.
std::string AnsiBytes(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (IsStringType(type)) {
    return AnsiFromWide(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
  }
  return std::string(reinterpret_cast<const char*>(data.data()), size);
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
  std::vector<BYTE> data(static_cast<size_t>(capacity) * sizeof(wchar_t));
  DWORD size = static_cast<DWORD>(data.size());
  DWORD type = REG_NONE;
  platform::RegistryQuery result;
  result.status = RegQueryValueExW(ToHkey(key), WideThroughAnsi(valueName).c_str(), nullptr,
                                   &type, data.data(), &size);
  if (result.status != ERROR_SUCCESS) return result;
  result.type = type;
  if (type == REG_DWORD && size >= sizeof(DWORD)) std::memcpy(&result.number, data.data(), sizeof(DWORD));
  const std::string bytes = AnsiBytes(type, data, size);
  if (bytes.size() > capacity) {
    result.status = ERROR_MORE_DATA;
    return result;
  }
  result.data = Utf8FromAnsi(bytes);
  return result;
}

long Win32Registry::SetString(platform::RegistryKey key, const std::string& valueName,
                              const std::string& value) {
  const std::wstring text = WideThroughAnsi(value);
  // The registry adds a NUL to string data it finds followed by one; a space after the text
  // keeps the stored value exactly as long as the text.
  const std::wstring buffer = text + L' ';
  return RegSetValueExW(ToHkey(key), WideThroughAnsi(valueName).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(buffer.data()),
                        static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

void Win32Registry::Close(platform::RegistryKey key) { RegCloseKey(ToHkey(key)); }

}  // namespace tesk::win32
