#pragma once
// What the browser control asks its container for and never gets inside the host's process:
// a file download, a message box of the page's own (alert, confirm, prompt) or its help. Each is
// refused without a word, so no dialog of the browser ever shows, and no page can put up a box
// that passes for the host's asking for a password. The browser finds this object through the
// site's IServiceProvider (downloads) and QueryInterface (message boxes); certificate problems
// and log-on requests get the downloads' own refusals (SilentBindingUi).

#include <windows.h>
#include <downloadmgr.h>
#include <mshtmhst.h>
#include <urlmon.h>

namespace tesk::win32 {

class BrowserRefusals final : public IDownloadManager, public IDocHostShowUI {
 public:
  // One reference, the creator's.
  BrowserRefusals() = default;
  BrowserRefusals(const BrowserRefusals&) = delete;
  BrowserRefusals& operator=(const BrowserRefusals&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override;

  // IDownloadManager: the download is taken over and dropped.
  HRESULT STDMETHODCALLTYPE Download(IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR,
                                     LPCOLESTR, UINT) override;
  // IDocHostShowUI: shown by us, that is, not at all; a confirm() is answered "Cancel".
  HRESULT STDMETHODCALLTYPE ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD,
                                        LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE ShowHelp(HWND, LPOLESTR, UINT, DWORD, POINT, IDispatch*) override {
    return S_OK;
  }

 private:
  ~BrowserRefusals() = default;

  LONG references_ = 1;
};

}  // namespace tesk::win32
