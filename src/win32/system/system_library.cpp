#include "win32/system/system_library.h"

#include <cwchar>

#include "platform/platform_error.h"
#include "win32/system/system_message.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

// Plain handles, not owners: at process exit the libraries must stay untouched (FreeLibrary
// from DllMain then is unsafe), so only ReleaseSystemLibraries lets go of them.
struct LoadedLibrary {
  const wchar_t* name;
  HMODULE module;
};

// Room for every library the DLL looks up this way, with some to spare.
LoadedLibrary loadedLibraries[8];

HMODULE Library(const wchar_t* name) {
  for (LoadedLibrary& loaded : loadedLibraries) {
    if (loaded.name && lstrcmpiW(loaded.name, name) == 0) return loaded.module;
    if (loaded.name) continue;
    // Only the system folder: never a file of that name planted beside the host. A name, not
    // a path, so that an activation context may still redirect it (common controls 6).
    const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module) loaded = {name, module};
    return module;
  }
  SetLastError(ERROR_TOO_MANY_MODULES);
  return nullptr;
}

}  // namespace

FARPROC SystemFunction(const wchar_t* library, const char* function) {
  const HMODULE module = Library(library);
  return module ? GetProcAddress(module, function) : nullptr;
}

FARPROC RequiredSystemFunction(const wchar_t* library, const char* function) {
  if (const FARPROC found = SystemFunction(library, function)) return found;
  throw platform::PlatformError("The system library " + Utf8FromWide(library, wcslen(library)) +
                                " cannot be used: " + SystemMessage(GetLastError()));
}

void ReleaseSystemLibraries() {
  for (LoadedLibrary& loaded : loadedLibraries) {
    if (loaded.module) FreeLibrary(loaded.module);
    loaded = {};
  }
}

}  // namespace tesk::win32
