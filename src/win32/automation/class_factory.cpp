#include "win32/automation/class_factory.h"

#include <unknwn.h>

#include "TeskLumoraLib.h"
#include "win32/automation/automation_classes.h"
#include "win32/automation/server_lifetime.h"

namespace tesk::win32 {
namespace {

using CreateFunction = HRESULT (*)(REFIID, void**);

// A factory lives as long as the DLL; its reference count is not tracked, server locks are.
// Built at compile time, so that loading the DLL runs no code for it.
class ClassFactory final : public IClassFactory {
 public:
  constexpr explicit ClassFactory(CreateFunction create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    win32::LockServer(lock != FALSE);
    return S_OK;
  }

 private:
  CreateFunction create_;
};

struct FactoryRow {
  const CLSID& clsid;
  ClassFactory& factory;
};

ClassFactory clsNewRegLibFactory(CreateClsNewRegLib);
ClassFactory clsInfoFactory(CreateClsInfo);

const FactoryRow kFactories[] = {
    {CLSID_clsNewRegLib, clsNewRegLibFactory},
    {CLSID_ClsInfo, clsInfoFactory},
};

}  // namespace

HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (const auto& row : kFactories) {
    if (IsEqualCLSID(clsid, row.clsid)) return row.factory.QueryInterface(iid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace tesk::win32
