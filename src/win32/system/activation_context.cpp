#include "win32/system/activation_context.h"

#include <string>

#include "win32/automation/server_lifetime.h"
#include "win32/system/module_path.h"

namespace tesk::win32 {
namespace {

// Made on first use, not in DllMain, where the loader lock is held; kept until the DLL unloads.
HANDLE context = INVALID_HANDLE_VALUE;
bool attempted = false;
HMODULE commonControls = nullptr;

// Loaded inside the context, so that the name leads to version 6 and its classes are the ones
// the context's windows find. A context whose comctl32 cannot be loaded would leave the library
// unable to create even a label; without the context it still has the classic controls.
bool LoadCommonControlsIn(HANDLE own) {
  ULONG_PTR cookie = 0;
  if (!ActivateActCtx(own, &cookie)) return false;
  commonControls = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  DeactivateActCtx(0, cookie);
  return commonControls != nullptr;
}

HANDLE OwnContext() {
  if (attempted) return context;
  attempted = true;
  if (!ThisModule()) return context;
  const std::wstring path = ModulePath();
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path.c_str();  // some systems want the file even with the module given
  request.hModule = ThisModule();
  request.lpResourceName = reinterpret_cast<LPCWSTR>(ISOLATIONAWARE_MANIFEST_RESOURCE_ID);
  context = CreateActCtxW(&request);
  if (context != INVALID_HANDLE_VALUE && !LoadCommonControlsIn(context)) {
    ReleaseActCtx(context);
    context = INVALID_HANDLE_VALUE;
  }
  return context;
}

}  // namespace

OwnActivationScope::OwnActivationScope() {
  const HANDLE own = OwnContext();
  active_ = own != INVALID_HANDLE_VALUE && ActivateActCtx(own, &cookie_);
}

OwnActivationScope::~OwnActivationScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

void ReleaseOwnActivationContext() {
  if (commonControls) FreeLibrary(commonControls);
  commonControls = nullptr;
  if (context != INVALID_HANDLE_VALUE) ReleaseActCtx(context);
  context = INVALID_HANDLE_VALUE;
  attempted = false;
}

}  // namespace tesk::win32
