#include "win32/ui/browser_refusals.h"

namespace tesk::win32 {

bool BrowserRefusals::Answers(REFIID iid) {
  return IsEqualIID(iid, __uuidof(IDownloadManager)) || IsEqualIID(iid, IID_IHttpSecurity) ||
         IsEqualIID(iid, IID_IWindowForBindingUI) || IsEqualIID(iid, IID_IAuthenticate);
}

HRESULT BrowserRefusals::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IDownloadManager))) {
    *object = static_cast<IDownloadManager*>(this);
  } else if (IsEqualIID(iid, IID_IHttpSecurity) || IsEqualIID(iid, IID_IWindowForBindingUI)) {
    *object = static_cast<IHttpSecurity*>(this);
  } else if (IsEqualIID(iid, IID_IAuthenticate)) {
    *object = static_cast<IAuthenticate*>(this);
  } else if (IsEqualIID(iid, __uuidof(IDocHostShowUI))) {
    *object = static_cast<IDocHostShowUI*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserRefusals::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

// Reported as handled: the browser then leaves the download alone instead of going on with
// one of its own behind its download dialog.
HRESULT BrowserRefusals::Download(IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR,
                                  LPCOLESTR, UINT) {
  return S_OK;
}

HRESULT BrowserRefusals::GetWindow(REFGUID, HWND* window) {
  if (!window) return E_INVALIDARG;
  *window = nullptr;
  return S_FALSE;
}

HRESULT BrowserRefusals::Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) {
  if (!window || !user || !password) return E_INVALIDARG;
  *window = nullptr;
  *user = nullptr;
  *password = nullptr;
  return E_ACCESSDENIED;
}

HRESULT BrowserRefusals::ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD,
                                     LRESULT* result) {
  if (result) *result = IDCANCEL;
  return S_OK;
}

}  // namespace tesk::win32
