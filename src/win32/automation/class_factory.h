#pragma once
// DllGetClassObject's work: the class factory of each creatable class.

#include <windows.h>

namespace tesk::win32 {

HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** object);

}  // namespace tesk::win32
