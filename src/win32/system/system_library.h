#pragma once
// Functions of the system DLLs that only some operations need (the save dialog, the list view,
// accessibility, downloads), found on first use. Importing them would map those DLLs, and the
// many that they import in turn, into every host that merely creates an object at start-up.

#include <windows.h>

namespace tesk::win32 {

// `function` of the system DLL `library`, which is loaded from the system folder on first use
// and kept until this DLL unloads; null, with the thread's last error set, when either is
// missing.
FARPROC SystemFunction(const wchar_t* library, const char* function);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* function) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, function)));
}

// As SystemFunction, for operations that cannot go on without the function: a missing one is
// a platform::PlatformError that names the library and the system's reason.
FARPROC RequiredSystemFunction(const wchar_t* library, const char* function);

template <typename Function>
Function RequiredSystemFunction(const wchar_t* library, const char* function) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(RequiredSystemFunction(library, function)));
}

// Lets go of the libraries SystemFunction loaded; for DllMain when this DLL is unloaded.
void ReleaseSystemLibraries();

}  // namespace tesk::win32
