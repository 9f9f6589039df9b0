#include "win32/system/bind_status_callback.h"

#include <array>
#include <memory>
#include <utility>

#include "win32/system/silent_binding_ui.h"

namespace tesk::win32 {
namespace {

// After an abort the binding reports its stop at once (Wine) or by a message soon after.
constexpr ULONGLONG kStopGraceMilliseconds = 2000;

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

BindStatusCallback::BindStatusCallback(platform::BindCallbacks& callbacks,
                                       const std::wstring& file)
    : callbacks_(&callbacks), file_(file) {}

void BindStatusCallback::CheckLimits() {
  if (abandoned_ != 0 || stopped_) return;
  const HRESULT status = LimitStatus(kept_);
  if (FAILED(status)) Abandon(status);
}

HRESULT BindStatusCallback::Abandon(HRESULT status) {
  if (SUCCEEDED(failure_)) failure_ = status;
  if (abandoned_ == 0) abandoned_ = GetTickCount64();
  // Taken first: the abort may report the stop, which lets go of the binding, before it returns.
  const Microsoft::WRL::ComPtr<IBinding> binding = binding_;
  if (binding) binding->Abort();
  return failure_;
}

bool BindStatusCallback::Overdue() const {
  return abandoned_ != 0 && GetTickCount64() - abandoned_ > kStopGraceMilliseconds;
}

HRESULT BindStatusCallback::Finish(HRESULT startResult) {
  if (started_ && !stopped_) Stop(FAILED(failure_) ? failure_ : E_ABORT);
  callbacks_ = nullptr;
  binding_.Reset();
  file_.Discard();
  return stopped_ ? result_ : startResult;
}

HRESULT BindStatusCallback::LimitStatus(ULONGLONG bytes) const {
  if (!callbacks_) return S_OK;
  return callbacks_->AbandonStatus(bytes, GetTickCount64() - begun_);
}

// Pulls what has arrived; each piece reaches the file only within the limits.
HRESULT BindStatusCallback::KeepData(IStream& stream) {
  std::array<char, 8192> buffer;
  for (;;) {
    ULONG read = 0;
    const HRESULT result = stream.Read(buffer.data(), static_cast<ULONG>(buffer.size()), &read);
    if (read > 0) {
      const HRESULT status = LimitStatus(kept_ + read);
      if (FAILED(status)) return Abandon(status);
      if (!file_.Write(buffer.data(), read)) return Abandon(INET_E_DOWNLOAD_FAILURE);
      kept_ += read;
    }
    if (result != S_OK || read == 0) return S_OK;  // E_PENDING: more to come; S_FALSE: the end
  }
}

// The one stop report: the file is kept only when the transfer succeeded.
void BindStatusCallback::Stop(HRESULT status) {
  stopped_ = true;
  binding_.Reset();
  if (SUCCEEDED(status) && !file_.Commit()) status = INET_E_DOWNLOAD_FAILURE;
  file_.Discard();
  result_ = status;
  if (callbacks_) Forward([&] { callbacks_->OnStopBinding(status); });
}

HRESULT BindStatusCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
    *object = static_cast<IBindStatusCallback*>(this);
  } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
    *object = static_cast<IHttpNegotiate*>(this);
  } else if (IsEqualIID(iid, IID_IServiceProvider)) {
    *object = static_cast<IServiceProvider*>(this);
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

HRESULT BindStatusCallback::OnStartBinding(DWORD, IBinding* binding) {
  started_ = true;
  binding_ = binding;
  if (!callbacks_) return S_OK;
  return Forward([&] { callbacks_->OnStartBinding(std::make_shared<HeldBinding>(binding)); });
}

HRESULT BindStatusCallback::GetPriority(LONG* priority) {
  if (priority) *priority = THREAD_PRIORITY_NORMAL;
  return S_OK;
}

HRESULT BindStatusCallback::OnLowResource(DWORD) { return S_OK; }

HRESULT BindStatusCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
  if (!callbacks_ || stopped_) return S_OK;
  return Forward([&] { callbacks_->OnProgress(progress, progressMax); });
}

HRESULT BindStatusCallback::OnStopBinding(HRESULT status, LPCWSTR) {
  if (!stopped_) Stop(FAILED(failure_) ? failure_ : status);
  return S_OK;
}

// Asynchronous, so that the caller's wait can bound it and run the thread's messages; pulled
// by this object into the file, through no cache file; never asking the user anything.
HRESULT BindStatusCallback::GetBindInfo(DWORD* flags, BINDINFO*) {
  if (!flags) return E_INVALIDARG;
  *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA | BINDF_GETNEWESTVERSION |
           BINDF_NOWRITECACHE | BINDF_NO_UI | BINDF_SILENTOPERATION;
  return S_OK;
}

HRESULT BindStatusCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) {
  if (stopped_ || !medium || medium->tymed != TYMED_ISTREAM || !medium->pstm) return S_OK;
  return KeepData(*medium->pstm);
}

HRESULT BindStatusCallback::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

HRESULT BindStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                 LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  return S_OK;
}

HRESULT BindStatusCallback::OnResponse(DWORD status, LPCWSTR, LPCWSTR,
                                       LPWSTR* additionalRequestHeaders) {
  if (additionalRequestHeaders) *additionalRequestHeaders = nullptr;
  if (status < 400) return S_OK;
  return Abandon(status == 404 || status == 410 ? INET_E_RESOURCE_NOT_FOUND
                                                : INET_E_DOWNLOAD_FAILURE);
}

HRESULT BindStatusCallback::QueryService(REFGUID service, REFIID iid, void** object) {
  if (IsEqualGUID(service, IID_IHttpNegotiate)) return QueryInterface(iid, object);
  return SilentBindingUi::Provide(service, iid, object);
}

}  // namespace tesk::win32
