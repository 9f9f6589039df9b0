#pragma once
// The IBindStatusCallback that URLDownloadToFile reports a transfer to: a COM object of its
// own, counting its references, that hands each report on to the portable BindCallbacks.
//
// As IHttpNegotiate it also sees the HTTP status. A server's error answer (a 404 page) is a
// failed transfer, not the file asked for: the binding is aborted, so the error page never
// replaces the local file, and the failure is reported as the URL-moniker error it stands for.
// (Wine's urlmon would otherwise save the error page and report success.)

#include <windows.h>
#include <urlmon.h>
#include <wrl/client.h>

#include "platform/url_transfer.h"

namespace tesk::win32 {

class BindStatusCallback final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit BindStatusCallback(platform::BindCallbacks& callbacks) : callbacks_(callbacks) {}
  BindStatusCallback(const BindStatusCallback&) = delete;
  BindStatusCallback& operator=(const BindStatusCallback&) = delete;

  // The transfer's result as the caller should see it: URLDownloadToFile's own, unless the
  // server answered with an HTTP error.
  HRESULT Outcome(HRESULT downloadResult) const;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                       LPCWSTR statusText) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT status, LPCWSTR error) override;
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                                            STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID iid, IUnknown* object) override;

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                                 LPWSTR* additionalHeaders) override;
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR responseHeaders,
                                       LPCWSTR requestHeaders,
                                       LPWSTR* additionalRequestHeaders) override;

 private:
  ~BindStatusCallback() = default;

  platform::BindCallbacks& callbacks_;
  Microsoft::WRL::ComPtr<IBinding> binding_;
  HRESULT httpFailure_ = S_OK;
  LONG references_ = 1;
};

}  // namespace tesk::win32
