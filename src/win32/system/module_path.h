#pragma once
// Where this DLL's file lies, for registration and for the files kept beside it.

#include <string>

namespace tesk::win32 {

// The full path of the DLL file, in UTF-16 for the registry and the type library loader.
std::wstring ModulePath();
// The folder of the DLL file, without a trailing "\".
std::wstring ModuleFolder();

}  // namespace tesk::win32
