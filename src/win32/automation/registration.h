#pragma once
// What DllRegisterServer, DllUnregisterServer and DllInstall write and remove: the type
// library, both classes with their ProgIDs, and the interfaces with the universal marshaler.

#include <windows.h>

namespace tesk::win32 {

enum class RegistrationScope { Machine, User };

// Writes every entry; on failure removes again what it wrote and returns the error.
HRESULT RegisterServer(RegistrationScope scope);
// Removes what RegisterServer writes and nothing else; safe to repeat.
HRESULT UnregisterServer(RegistrationScope scope);

}  // namespace tesk::win32
