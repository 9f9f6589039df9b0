// How a form follows its DPI: its client size kept in twips, its size at another DPI answered
// before a move, and everything laid out again once it is on a screen of another DPI.

#include "win32/ui/form_window.h"

#include "win32/ui/cmd_window.h"
#include "win32/ui/form_children.h"
#include "win32/ui/window_dpi.h"

namespace tesk::win32 {
namespace {

using platform::ControlKind;

// Set while it lives.
struct ScopedFlag {
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;
  bool& flag_;
};

}  // namespace

// The client size in twips changes only when the user resizes the window, so that a window
// that comes to another DPI is laid out as if it had opened there.
void FormWindow::KeepClientTwips() {
  if (rescaling_) return;
  RECT client{};
  GetClientRect(window_.get(), &client);
  if (client.right != TwipsToPixels(clientTwips_.cx, dpi_)) {
    clientTwips_.cx = PixelsToTwips(client.right, dpi_);
  }
  if (client.bottom != TwipsToPixels(clientTwips_.cy, dpi_)) {
    clientTwips_.cy = PixelsToTwips(client.bottom, dpi_);
  }
}

// Asked before a move to a screen of `dpi`: the window's size there, its frame included.
bool FormWindow::ScaledSize(int dpi, SIZE& size) const {
  const SIZE client{TwipsToPixels(clientTwips_.cx, dpi), TwipsToPixels(clientTwips_.cy, dpi)};
  return WindowSizeAtDpi(window_.get(), client, dpi, size);
}

// The window came to a screen of another DPI: fonts, places and pictures as they would have
// been had it opened there, in the rectangle the system suggests. A system that suggests
// another client size (one that did not ask WM_GETDPISCALEDSIZE) is corrected: the client
// area keeps its size in twips.
void FormWindow::ChangeDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  gdi_.SetDpi(dpi);
  for (auto& control : controls_) Rescale(*control);
  gdi_.ReleaseOtherDpis();
  SetIcons(iconFile_.empty() ? DesignWindowIcons(dpi) : IconsFromFile(iconFile_, dpi));
  const HWND window = window_.get();
  const ScopedFlag rescaling(rescaling_);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const SIZE size = OuterSize(window, TwipsToPixels(clientTwips_.cx, dpi_),
                              TwipsToPixels(clientTwips_.cy, dpi_));
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormWindow::Rescale(FormControl& control) {
  if (control.grid) {
    control.grid->ChangeDpi(gdi_);
  } else if (control.row.kind == ControlKind::Button) {
    SetCmdWindowDpi(control.window, dpi_);
  } else if (control.window && !control.browser) {
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(gdi_.Font(control.row.font)),
                 FALSE);
  }
  Place(control);
  // A label that grows with its text measures it again in the new font.
  if (control.row.autoSize) SetChildText(control, control.row.text);
}

// The control's window, if it has one, over its place at the form's DPI.
void FormWindow::Place(FormControl& control) {
  control.bounds = PixelRect(control.place, dpi_);
  const RECT& b = control.bounds;
  if (control.browser) {
    control.browser->Move(b);
  } else if (control.window) {
    MoveWindow(control.window, b.left, b.top, b.right - b.left, b.bottom - b.top, TRUE);
  }
}

}  // namespace tesk::win32
