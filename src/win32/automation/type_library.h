#pragma once
// The type library embedded in this DLL, loaded once on first use and released when the DLL
// unloads. IDispatch of every object goes through its type information.

#include <windows.h>
#include <oaidl.h>

namespace tesk::win32 {

struct InterfaceTypeInfo {
  ITypeInfo* dispatch;  // the dispatch view, handed to hosts that ask for type information
  ITypeInfo* vtable;    // the virtual-table view, through which calls are made
};

// Borrowed pointers, valid until ReleaseTypeLibrary; fails when the library cannot be loaded.
HRESULT GetInterfaceTypeInfo(REFIID iid, InterfaceTypeInfo& info);
void ReleaseTypeLibrary();

}  // namespace tesk::win32
