#pragma once
// Creation functions of the library's two public classes, for the class factory.

#include <windows.h>

namespace tesk::win32 {

HRESULT CreateClsInfo(REFIID iid, void** object);
HRESULT CreateClsNewRegLib(REFIID iid, void** object);

}  // namespace tesk::win32
