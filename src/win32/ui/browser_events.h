#pragma once
// The browser's events as the bug-report window takes them (DWebBrowserEvents2): the page may
// go only to web addresses and the blank page, a new window it opens goes to the user's own
// browser instead, and a file it offers for download is refused. Everything else is let be.

#include <windows.h>
#include <oaidl.h>

#include "platform/shell.h"

namespace tesk::win32 {

class BrowserEvents final : public IDispatch {
 public:
  // One reference, the creator's. `programs` starts the user's browser and outlives the sink.
  explicit BrowserEvents(platform::ProgramLauncher& programs) : programs_(programs) {}
  BrowserEvents(const BrowserEvents&) = delete;
  BrowserEvents& operator=(const BrowserEvents&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: only Invoke, which the browser calls with each event.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* arguments,
                                   VARIANT*, EXCEPINFO*, UINT*) override;

 private:
  ~BrowserEvents() = default;

  void OpenNewWindow(const DISPPARAMS& arguments);

  platform::ProgramLauncher& programs_;
  LONG references_ = 1;
};

}  // namespace tesk::win32
