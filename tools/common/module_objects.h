#pragma once
// A ClsInfo made by a loaded module's own class factory, as COM would make it, without the
// registry: for the timing tools, which load the DLL under test by its path.

#include <windows.h>
#include <wrl/client.h>

#include "TeskLumoraLib.h"

namespace tesk::tools {

inline Microsoft::WRL::ComPtr<_ClsInfo> CreateClsInfo(HMODULE module) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto entry = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  Microsoft::WRL::ComPtr<IClassFactory> factory;
  Microsoft::WRL::ComPtr<_ClsInfo> info;
  if (entry && SUCCEEDED(entry(CLSID_ClsInfo, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.GetAddressOf())))) {
    factory->CreateInstance(nullptr, __uuidof(_ClsInfo),
                            reinterpret_cast<void**>(info.GetAddressOf()));
  }
  return info;
}

}  // namespace tesk::tools
