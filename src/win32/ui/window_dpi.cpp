#include "win32/ui/window_dpi.h"

#include "win32/system/system_library.h"

namespace tesk::win32 {
namespace {

constexpr int kDefaultDpi = 96;

// Looked up, not imported: the DLL also loads on systems older than these functions.
template <typename Function>
Function User32Function(const char* name) {
  return SystemFunction<Function>(L"user32.dll", name);
}

using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricsForDpiFunction = int(WINAPI*)(int, UINT);

int DeviceContextDpi(HWND window) {
  const HDC dc = GetDC(window);
  if (!dc) return 0;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto dpiForWindow = User32Function<DpiForWindowFunction>("GetDpiForWindow");
  if (dpiForWindow) {
    if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
  }
  const int dpi = DeviceContextDpi(window);
  return dpi > 0 ? dpi : kDefaultDpi;
}

int SystemMetricAtDpi(int index, int dpi) {
  static const auto metric = User32Function<MetricsForDpiFunction>("GetSystemMetricsForDpi");
  return metric ? metric(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

bool WindowSizeAtDpi(HWND window, SIZE client, int dpi, SIZE& size) {
  static const auto adjust = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  RECT outer{0, 0, client.cx, client.cy};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  if (!adjust || !adjust(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) return false;
  size = {outer.right - outer.left, outer.bottom - outer.top};
  return true;
}

}  // namespace tesk::win32
