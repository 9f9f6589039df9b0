#pragma once
// The shared half of every automation object: reference counting that keeps the DLL loaded,
// QueryInterface, IDispatch through the embedded type library, and ISupportErrorInfo.
// `Interface` is the object's dual interface as generated from the IDL.

#include <windows.h>
#include <oaidl.h>

#include <new>
#include <string>
#include <vector>
#include <utility>

#include "win32/automation/error_info.h"
#include "win32/automation/server_lifetime.h"
#include "win32/automation/type_library.h"
#include "win32/automation/dispatch_arguments.h"

namespace tesk::win32 {

template <typename Interface>
class AutomationObject : public Interface, public ISupportErrorInfo {
 public:
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || AnswersFor(iid)) {
      *object = static_cast<Interface*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) delete this;
    return remaining;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override {
    if (!typeInfo) return E_POINTER;
    *typeInfo = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    InterfaceTypeInfo info{};
    const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Interface), info);
    if (FAILED(hr)) return hr;
    info.dispatch->AddRef();
    *typeInfo = info.dispatch;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    InterfaceTypeInfo info{};
    const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Interface), info);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(info.vtable, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS noArguments{};
    if (!params) params = &noArguments;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs ||
        (params->cNamedArgs > 0 && !params->rgdispidNamedArgs)) {
      return E_INVALIDARG;
    }
    InterfaceTypeInfo info{};
    const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Interface), info);
    if (FAILED(hr)) return hr;
    return Guarded([&] {
      DISPPARAMS prepared = *params;
      ArgumentStorage storage;
      const HRESULT checked = PrepareArguments(*info.vtable, id, prepared, storage, argumentError);
      if (FAILED(checked)) return checked;
      return info.vtable->Invoke(static_cast<Interface*>(this), id, flags, &prepared, result,
                                 exception, argumentError);
    });
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return AnswersFor(iid) ? S_OK : S_FALSE;
  }

 protected:
  explicit AutomationObject(const wchar_t* progId) : progId_(progId) { ObjectCreated(); }
  virtual ~AutomationObject() { ObjectDestroyed(); }

  // The interface identifiers the object answers with `Interface`.
  virtual bool AnswersFor(REFIID iid) const { return IsEqualIID(iid, __uuidof(Interface)); }

  HRESULT Fail(HRESULT hr, const std::wstring& text) const {
    return ReportError(hr, __uuidof(Interface), progId_, text);
  }
  // Reported like every other failure, so that a host fetching the error object gets this one
  // and not whatever an earlier call left on the thread.
  HRESULT FailNullPointer() const { return Fail(E_POINTER, L"Invalid pointer"); }
  template <typename Body>
  HRESULT Guarded(Body&& body) const noexcept {
    return GuardedCall(__uuidof(Interface), progId_, std::forward<Body>(body));
  }

 private:
  const wchar_t* progId_;
  LONG references_ = 1;
};

// Creates an object the way COM expects: construct, hand out the asked-for interface, drop
// the creation reference (so a failed QueryInterface destroys it again).
template <typename Object, typename... Arguments>
HRESULT CreateAutomationObject(REFIID iid, void** object, Arguments&&... arguments) {
  if (!object) return E_POINTER;
  *object = nullptr;
  Object* created = new (std::nothrow) Object(std::forward<Arguments>(arguments)...);
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(iid, object);
  created->Release();
  return hr;
}

}  // namespace tesk::win32
