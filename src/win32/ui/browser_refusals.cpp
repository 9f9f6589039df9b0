#include "win32/ui/browser_refusals.h"

namespace tesk::win32 {

HRESULT BrowserRefusals::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IDownloadManager))) {
    *object = static_cast<IDownloadManager*>(this);
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

HRESULT BrowserRefusals::ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD,
                                     LRESULT* result) {
  if (result) *result = IDCANCEL;
  return S_OK;
}

}  // namespace tesk::win32
