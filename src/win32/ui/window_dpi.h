#pragma once
// The pixels per inch a window of the library is laid out and drawn at. The library runs in its
// host's process and cannot choose the process's DPI awareness; it follows the host's: an
// unaware host's windows are laid out at 96 and scaled by the system, a system-aware host's at
// the system's DPI, a per-monitor-aware host's at the DPI of the monitor the window opens on,
// and again at a new monitor's DPI when it moves there (WM_DPICHANGED). It does not make its
// own windows per-monitor aware in a host that is not: the system scales such a host's windows
// as one, and the embedded browser and the host's modal state stay in one coordinate system.

#include <windows.h>

namespace tesk::win32 {

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else the logical pixels
// per inch of the window's device context, else 96.
int WindowDpi(HWND window);

// A system metric (SM_CXICON, ...) at `dpi`; the system's DPI's before Windows 10 1607.
int SystemMetricAtDpi(int index, int dpi);

// The outer size that gives `window`, with its styles and no menu, a client area of `client`
// pixels at `dpi`; false where the system cannot tell (before Windows 10 1607).
bool WindowSizeAtDpi(HWND window, SIZE client, int dpi, SIZE& size);

}  // namespace tesk::win32
