#pragma once
// The IBindStatusCallback of an asynchronous transfer into a file: a COM object of its own,
// counting its references, that hands each report on to the portable BindCallbacks, writes the
// data it pulls into the local file, and abandons the transfer when the callbacks' limits say
// so. It answers every report exactly once (start, progress, stop), however the transfer ends.
//
// As IHttpNegotiate it also sees the HTTP status. A server's error answer (a 404 page) is a
// failed transfer, not the file asked for: the binding is aborted, so the error page never
// replaces the local file, and the failure is reported as the URL-moniker error it stands for.
// As IServiceProvider it refuses, without a dialog, every question the binding would ask the
// user (SilentBindingUi).

#include <windows.h>
#include <urlmon.h>
#include <wrl/client.h>

#include <string>

#include "platform/url_transfer.h"
#include "win32/system/partial_download_file.h"

namespace tesk::win32 {

class BindStatusCallback final : public IBindStatusCallback,
                                 public IHttpNegotiate,
                                 public IServiceProvider {
 public:
  BindStatusCallback(platform::BindCallbacks& callbacks, const std::wstring& file);
  BindStatusCallback(const BindStatusCallback&) = delete;
  BindStatusCallback& operator=(const BindStatusCallback&) = delete;

  // Asks the callbacks' limits, with the time since the transfer began, and abandons the
  // transfer when they say so.
  void CheckLimits();
  // Aborts the binding; the transfer then stops with `status` (the first one given wins).
  HRESULT Abandon(HRESULT status);
  bool Stopped() const { return stopped_; }
  // Abandoned longer ago than the binding should take to stop.
  bool Overdue() const;
  // Ends the transfer for the caller, given the result of starting it: reports the stop if the
  // binding has not, lets go of the binding and the callbacks (later reports change nothing),
  // and returns the transfer's result.
  HRESULT Finish(HRESULT startResult);

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

  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;

 private:
  ~BindStatusCallback() = default;

  HRESULT LimitStatus(ULONGLONG bytes) const;
  HRESULT KeepData(IStream& stream);
  void Stop(HRESULT status);

  platform::BindCallbacks* callbacks_;  // none once finished
  PartialDownloadFile file_;
  Microsoft::WRL::ComPtr<IBinding> binding_;
  const ULONGLONG begun_ = GetTickCount64();
  ULONGLONG abandoned_ = 0;  // when, if it was
  ULONGLONG kept_ = 0;       // bytes written to the file
  HRESULT failure_ = S_OK;   // why it was abandoned
  HRESULT result_ = S_OK;    // as reported at the stop
  bool started_ = false;
  bool stopped_ = false;
  LONG references_ = 1;
};

}  // namespace tesk::win32
