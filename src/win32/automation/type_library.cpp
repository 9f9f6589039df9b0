#include "win32/automation/type_library.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <array>
#include <string>

#include "win32/system/module_path.h"

using Microsoft::WRL::ComPtr;

namespace tesk::win32 {
namespace {

struct CachedTypeInfo {
  IID iid;
  ComPtr<ITypeInfo> dispatch;
  ComPtr<ITypeInfo> vtable;
};

ComPtr<ITypeLib> library;
std::array<CachedTypeInfo, 2> cache;  // one entry per dual interface of the library

HRESULT LoadLibraryOnce() {
  if (library) return S_OK;
  return LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.GetAddressOf());
}

// The virtual-table view of a dual interface is the type its dispatch view refers to as -1.
HRESULT LoadTypeInfo(REFIID iid, CachedTypeInfo& entry) {
  ComPtr<ITypeInfo> dispatch;
  HRESULT hr = library->GetTypeInfoOfGuid(iid, dispatch.GetAddressOf());
  if (FAILED(hr)) return hr;
  HREFTYPE vtableRef = 0;
  hr = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef);
  if (FAILED(hr)) return hr;
  ComPtr<ITypeInfo> vtable;
  hr = dispatch->GetRefTypeInfo(vtableRef, vtable.GetAddressOf());
  if (FAILED(hr)) return hr;
  entry.iid = iid;
  entry.dispatch = dispatch;
  entry.vtable = vtable;
  return S_OK;
}

}  // namespace

HRESULT GetInterfaceTypeInfo(REFIID iid, InterfaceTypeInfo& info) {
  HRESULT hr = LoadLibraryOnce();
  if (FAILED(hr)) return hr;
  for (auto& entry : cache) {
    if (!entry.dispatch) {
      hr = LoadTypeInfo(iid, entry);
      if (FAILED(hr)) return hr;
    }
    if (IsEqualIID(entry.iid, iid)) {
      info = {entry.dispatch.Get(), entry.vtable.Get()};
      return S_OK;
    }
  }
  return TYPE_E_ELEMENTNOTFOUND;
}

void ReleaseTypeLibrary() {
  for (auto& entry : cache) entry = CachedTypeInfo{};
  library.Reset();
}

}  // namespace tesk::win32
