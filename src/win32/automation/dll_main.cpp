// The DLL's entry points: what the automation runtime and regsvr32 call.

// The system's declarations of the exports (objbase.h, olectl.h and, for DllInstall, shlwapi.h):
// with them in view, the compiler refuses a definition of another calling convention, which
// would corrupt a 32-bit host's stack.
#include <windows.h>
#include <olectl.h>
#include <shlwapi.h>

#include "win32/automation/class_factory.h"
#include "win32/automation/registration.h"
#include "win32/automation/server_lifetime.h"
#include "win32/automation/type_library.h"
#include "win32/system/activation_context.h"
#include "win32/system/system_library.h"
#include "win32/ui/cmd_window.h"
#include "win32/ui/form_window.h"

using tesk::win32::RegistrationScope;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    tesk::win32::SetThisModule(instance);
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Only on FreeLibrary: at process exit oleaut32 may already be gone.
    tesk::win32::ReleaseTypeLibrary();
    tesk::win32::ReleaseSystemLibraries();
    tesk::win32::ReleaseOwnActivationContext();
    // Window classes outlive the DLL that registered them: a later load would find a class
    // whose window procedure is gone.
    for (const wchar_t* windowClass :
         {tesk::win32::kCmdWindowClass, tesk::win32::kFormWindowClass}) {
      UnregisterClassW(windowClass, instance);
    }
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return tesk::win32::GetClassFactory(clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return tesk::win32::CanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return tesk::win32::RegisterServer(RegistrationScope::Machine); }

STDAPI DllUnregisterServer() {
  return tesk::win32::UnregisterServer(RegistrationScope::Machine);
}

// regsvr32 /n /i:user registers for the current user only, without administrator rights;
// any other command line means the whole machine.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  const bool perUser = commandLine && lstrcmpiW(commandLine, L"user") == 0;
  const RegistrationScope scope = perUser ? RegistrationScope::User : RegistrationScope::Machine;
  return install ? tesk::win32::RegisterServer(scope) : tesk::win32::UnregisterServer(scope);
}
