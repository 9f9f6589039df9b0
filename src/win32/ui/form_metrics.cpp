#include "win32/ui/form_metrics.h"

namespace tesk::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

const platform::ControlRow* FindContainer(const platform::FormTable& table,
                                          const std::string& name) {
  if (name.empty()) return nullptr;
  for (const auto& control : table.controls) {
    if (control.name == name && control.kind == platform::ControlKind::PictureBox) return &control;
  }
  return nullptr;
}

}  // namespace

int TwipsToPixels(std::int32_t twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

std::int32_t PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

RECT ControlPlace(const platform::FormTable& table, const platform::ControlRow& control) {
  RECT place{control.left, control.top, control.left + control.width, control.top + control.height};
  // Picture boxes do not nest in these windows: one level of offset is all there is.
  if (const auto* box = FindContainer(table, control.container)) {
    OffsetRect(&place, box->left, box->top);
  }
  return place;
}

RECT PixelRect(const RECT& twips, int dpi) {
  return RECT{TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
              TwipsToPixels(twips.right, dpi), TwipsToPixels(twips.bottom, dpi)};
}

SIZE OuterSize(HWND window, int width, int height) {
  RECT outer{};
  RECT client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  return {width + (outer.right - outer.left) - client.right,
          height + (outer.bottom - outer.top) - client.bottom};
}

RECT CentredWindowRect(HWND window, int width, int height) {
  const SIZE size = OuterSize(window, width, height);
  const LONG outerWidth = size.cx;
  const LONG outerHeight = size.cy;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  LONG left = work.left + (work.right - work.left - outerWidth) / 2;
  LONG top = work.top + (work.bottom - work.top - outerHeight) / 2;
  // A window larger than the work area keeps its caption on the screen.
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  return RECT{left, top, left + outerWidth, top + outerHeight};
}

}  // namespace tesk::win32
