#include "win32/system/silent_binding_ui.h"

#include <wrl/client.h>

#include <new>

namespace tesk::win32 {

HRESULT SilentBindingUi::Provide(REFGUID service, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualGUID(service, IID_IHttpSecurity) && !IsEqualGUID(service, IID_IWindowForBindingUI) &&
      !IsEqualGUID(service, IID_IAuthenticate)) {
    return E_NOINTERFACE;
  }
  Microsoft::WRL::ComPtr<SilentBindingUi> refusals;
  refusals.Attach(new (std::nothrow) SilentBindingUi);
  if (!refusals) return E_OUTOFMEMORY;
  return refusals->QueryInterface(iid, object);
}

HRESULT SilentBindingUi::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHttpSecurity) ||
      IsEqualIID(iid, IID_IWindowForBindingUI)) {
    *object = static_cast<IHttpSecurity*>(this);
  } else if (IsEqualIID(iid, IID_IAuthenticate)) {
    *object = static_cast<IAuthenticate*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG SilentBindingUi::AddRef() { return InterlockedIncrement(&references_); }

ULONG SilentBindingUi::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

// S_FALSE: no window to show anything in.
HRESULT SilentBindingUi::GetWindow(REFGUID, HWND* window) {
  if (!window) return E_INVALIDARG;
  *window = nullptr;
  return S_FALSE;
}

// E_ABORT ends the transfer; S_FALSE would ask for the certificate dialog, S_OK ignore the problem.
HRESULT SilentBindingUi::OnSecurityProblem(DWORD) { return E_ABORT; }

// E_ACCESSDENIED: the log-on is cancelled.
HRESULT SilentBindingUi::Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) {
  if (window) *window = nullptr;
  if (user) *user = nullptr;
  if (password) *password = nullptr;
  return E_ACCESSDENIED;
}

}  // namespace tesk::win32
