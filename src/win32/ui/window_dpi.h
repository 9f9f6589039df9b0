#pragma once
// The pixels per inch a window of the library is laid out and drawn at. The library runs in its
// host's process and cannot choose the process's DPI awareness; it follows the host's: an
// unaware host's windows are laid out at 96 and scaled by the system, a system-aware host's at
// the system's DPI, a per-monitor-aware host's at the DPI of the monitor the window opens on.

#include <windows.h>

namespace tesk::win32 {

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else the logical pixels
// per inch of the window's device context, else 96.
int WindowDpi(HWND window);

}  // namespace tesk::win32
