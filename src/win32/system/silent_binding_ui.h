#pragma once
// What a transfer's binding asks for before it would show a dialog in the host: a window for
// its dialogs, a decision on a certificate that does not validate, a user name and password.
// This object refuses them all, so that such a transfer fails instead, and nothing appears.

#include <windows.h>
#include <urlmon.h>

namespace tesk::win32 {

class SilentBindingUi final : public IHttpSecurity, public IAuthenticate {
 public:
  // The object for `service` (IID_IHttpSecurity, IID_IWindowForBindingUI, IID_IAuthenticate),
  // as IServiceProvider::QueryService answers; E_NOINTERFACE for any other service.
  static HRESULT Provide(REFGUID service, REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetWindow(REFGUID reason, HWND* window) override;
  HRESULT STDMETHODCALLTYPE OnSecurityProblem(DWORD problem) override;
  HRESULT STDMETHODCALLTYPE Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) override;

 private:
  SilentBindingUi() = default;
  ~SilentBindingUi() = default;

  LONG references_ = 1;
};

}  // namespace tesk::win32
