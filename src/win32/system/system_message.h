#pragma once
// The system's own description of a Win32 error code, as users see it in message boxes.

#include <windows.h>

#include <string>

namespace tesk::win32 {

std::string SystemMessage(DWORD errorCode);

}  // namespace tesk::win32
