#include "win32/system/module_path.h"

#include <windows.h>

#include "win32/automation/server_lifetime.h"

namespace tesk::win32 {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // long path: the name was cut, try a larger buffer
  }
}

std::wstring ModuleFolder() {
  std::wstring path = ModulePath();
  const auto separator = path.find_last_of(L"\\/");
  path.resize(separator == std::wstring::npos ? 0 : separator);
  return path;
}

}  // namespace tesk::win32
