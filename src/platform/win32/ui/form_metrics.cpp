#include "platform/win32/ui/form_metrics.h"

namespace tesk::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

int Pixels(std::int32_t twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

const platform::ControlRow* FindContainer(const platform::FormTable& table,
                                          const std::string& name) {
  if (name.empty()) return nullptr;
  for (const auto& control : table.controls) {
    if (control.name == name && control.kind == platform::ControlKind::PictureBox) return &control;
  }
  return nullptr;
}

}  // namespace

ScreenDpi QueryScreenDpi() {
  ScreenDpi dpi;
  if (const HDC screen = GetDC(nullptr)) {
    dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
    dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  if (dpi.x <= 0) dpi.x = 96;
  if (dpi.y <= 0) dpi.y = 96;
  return dpi;
}

RECT ControlBounds(const platform::FormTable& table, const platform::ControlRow& control,
                   ScreenDpi dpi) {
  std::int32_t left = control.left;
  std::int32_t top = control.top;
  // Picture boxes do not nest in these windows: one level of offset is all there is.
  if (const auto* box = FindContainer(table, control.container)) {
    left += box->left;
    top += box->top;
  }
  RECT bounds;
  bounds.left = Pixels(left, dpi.x);
  bounds.top = Pixels(top, dpi.y);
  bounds.right = Pixels(left + control.width, dpi.x);
  bounds.bottom = Pixels(top + control.height, dpi.y);
  return bounds;
}

RECT CentredWindowRect(int width, int height, DWORD style, DWORD exStyle) {
  RECT window{0, 0, width, height};
  AdjustWindowRectEx(&window, style, FALSE, exStyle);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG outerWidth = window.right - window.left;
  const LONG outerHeight = window.bottom - window.top;
  LONG left = work.left + (work.right - work.left - outerWidth) / 2;
  LONG top = work.top + (work.bottom - work.top - outerHeight) / 2;
  // A window larger than the work area keeps its caption on the screen.
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  return RECT{left, top, left + outerWidth, top + outerHeight};
}

}  // namespace tesk::win32
