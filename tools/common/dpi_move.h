#pragma once
// A window told it moved to a screen of another DPI, as the system tells a per-monitor-aware
// program's windows: asked its size there, then sent WM_DPICHANGED with a rectangle of that
// size where it stands. Wine never sends these itself.

#include <windows.h>

namespace tesk::tools {

inline void MoveToDpi(HWND window, int dpi) {
  SIZE size{};
  SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi),
               reinterpret_cast<LPARAM>(&size));
  RECT suggested{};
  GetWindowRect(window, &suggested);
  suggested.right = suggested.left + size.cx;
  suggested.bottom = suggested.top + size.cy;
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace tesk::tools
