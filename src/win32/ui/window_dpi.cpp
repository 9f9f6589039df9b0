#include "win32/ui/window_dpi.h"

namespace tesk::win32 {
namespace {

constexpr int kDefaultDpi = 96;

using DpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up, not imported: the DLL also loads on systems older than the function.
DpiForWindowFunction SystemDpiForWindow() {
  static const auto function = reinterpret_cast<DpiForWindowFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

int DeviceContextDpi(HWND window) {
  const HDC dc = GetDC(window);
  if (!dc) return 0;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  if (const DpiForWindowFunction dpiForWindow = SystemDpiForWindow()) {
    if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
  }
  const int dpi = DeviceContextDpi(window);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace tesk::win32
