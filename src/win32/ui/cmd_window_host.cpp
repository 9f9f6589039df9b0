#include "win32/ui/cmd_window_host.h"

#include <olectl.h>

#include <cmath>
#include <cwchar>

#include "win32/ui/fonts.h"
#include "win32/automation/server_lifetime.h"
#include "win32/system/text_encoding.h"
#include "win32/ui/win32_picture.h"

namespace tesk::win32 {
namespace {


}  // namespace

HCURSOR LoadHandCursor() {
  HCURSOR hand = LoadCursor(ResourceModule(), MAKEINTRESOURCE(101));
  return hand ? hand : LoadCursor(nullptr, IDC_HAND);
}

void WindowHost::SetSurfaceFont(const button::FontDescription& font) {
  font_ = font;
  fontHandle_.reset(CreateSurfaceFont(font, dpi_));
  canvas_.SetFont(static_cast<HFONT>(fontHandle_.get()));
}

button::FontDescription WindowHost::AmbientFont() {
  const HWND parent = GetParent(window_);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  return DescribeFont(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), dpi_);
}

button::PicturePtr WindowHost::HandCursor() {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_ICON;
  description.icon.hicon = CopyIcon(handCursor_);
  IPicture* picture = nullptr;
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE,
                                      reinterpret_cast<void**>(&picture)))) {
    return nullptr;
  }
  auto wrapped = std::make_shared<Win32Picture>(picture);
  picture->Release();
  return wrapped;
}

void WindowHost::CreateBackgroundSurface(std::int32_t width, std::int32_t height) {
  if (background_) return;
  background_ = std::make_unique<Backbuffer>();
  background_->Resize(width, height);
}

// The container's pixels under the control: the control collapses, the container repaints the
// uncovered area, its pixels are copied, and the control takes its height back. Failures of any
// step are passed over.
void WindowHost::CaptureBackground() {
  const HWND parent = GetParent(window_);
  if (!parent || !background_) return;
  RECT control{};
  GetWindowRect(window_, &control);
  const LONG width = control.right - control.left;
  const LONG height = control.bottom - control.top;
  POINT topLeft{control.left, control.top};
  ScreenToClient(parent, &topLeft);
  SetWindowPos(window_, nullptr, 0, 0, width, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(parent);
  const HDC parentDc = GetDC(parent);
  BitBlt(background_->Dc(), 0, 0, width, height, parentDc, topLeft.x, topLeft.y, SRCCOPY);
  ReleaseDC(parent, parentDc);
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}


}  // namespace tesk::win32
