#include "win32/system/bind_status_callback.h"

#include <wrl/client.h>

#include <memory>

namespace tesk::win32 {
namespace {

// Keeps the system's binding object alive while the downloader holds it.
class HeldBinding final : public platform::Binding {
 public:
  explicit HeldBinding(IBinding* binding) : binding_(binding) {}

 private:
  Microsoft::WRL::ComPtr<IBinding> binding_;
};

// A listener's failure must not unwind into urlmon; the report itself still succeeds.
template <typename Report>
HRESULT Forward(Report&& report) noexcept {
  try {
    report();
  } catch (...) {
  }
  return S_OK;
}

}  // namespace

HRESULT BindStatusCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
    *object = static_cast<IBindStatusCallback*>(this);
  } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
    *object = static_cast<IHttpNegotiate*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BindStatusCallback::AddRef() { return InterlockedIncrement(&references_); }

ULONG BindStatusCallback::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT BindStatusCallback::Outcome(HRESULT downloadResult) const {
  return FAILED(httpFailure_) ? httpFailure_ : downloadResult;
}

HRESULT BindStatusCallback::OnStartBinding(DWORD, IBinding* binding) {
  binding_ = binding;
  return Forward([&] { callbacks_.OnStartBinding(std::make_shared<HeldBinding>(binding)); });
}

HRESULT BindStatusCallback::GetPriority(LONG* priority) {
  if (priority) *priority = THREAD_PRIORITY_NORMAL;
  return S_OK;
}

HRESULT BindStatusCallback::OnLowResource(DWORD) { return S_OK; }

HRESULT BindStatusCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
  return Forward([&] { callbacks_.OnProgress(progress, progressMax); });
}

HRESULT BindStatusCallback::OnStopBinding(HRESULT status, LPCWSTR) {
  binding_.Reset();
  return Forward([&] { callbacks_.OnStopBinding(Outcome(status)); });
}

// The bind flags and information stay as the system filled them.
HRESULT BindStatusCallback::GetBindInfo(DWORD*, BINDINFO*) { return S_OK; }

HRESULT BindStatusCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) {
  return S_OK;
}

HRESULT BindStatusCallback::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

}  // namespace tesk::win32

namespace tesk::win32 {

HRESULT BindStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                 LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  return S_OK;
}

HRESULT BindStatusCallback::OnResponse(DWORD status, LPCWSTR, LPCWSTR,
                                       LPWSTR* additionalRequestHeaders) {
  if (additionalRequestHeaders) *additionalRequestHeaders = nullptr;
  if (status < 400) return S_OK;
  httpFailure_ = status == 404 || status == 410 ? INET_E_RESOURCE_NOT_FOUND
                                                : INET_E_DOWNLOAD_FAILURE;
  if (binding_) binding_->Abort();
  return httpFailure_;
}

}  // namespace tesk::win32
