#pragma once
// The host a cmd button window gives its control: the window's off-screen surface, font and
// pointer, the container's ambient properties and colours, the hover timer, focus moves and
// the captured container background of style 11.

#include <windows.h>

#include <memory>
#include <string>

#include "button/control_host.h"
#include "win32/ui/backbuffer.h"
#include "win32/ui/gdi_canvas.h"
#include "win32/ui/gdi_objects.h"
#include "win32/ui/win32_colors.h"
#include "win32/ui/window_dpi.h"
#include "win32/ui/window_region.h"

namespace tesk::win32 {

// The timer a window of the class uses for hovering: its id, and every 3 ms.
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 3;

// The library's hand cursor, resource 101 of the module the button lives in; the system's hand
// where the module has none (a program that links the control in).
HCURSOR LoadHandCursor();

class WindowHost final : public button::ControlHost {
 public:
  WindowHost(HWND window, std::string name)
      : window_(window), name_(std::move(name)), dpi_(WindowDpi(window)), canvas_(buffer_.Dc()) {
    SetSurfaceFont(AmbientFont());
  }

  void Paint(HDC target, const RECT& area) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
           buffer_.Dc(), area.left, area.top, SRCCOPY);
  }
  // The window moved to a screen of another DPI: the font is made again for it.
  void SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    SetSurfaceFont(font_);
  }
  void ResizeBuffer() {
    RECT client{};
    GetClientRect(window_, &client);
    buffer_.Resize(client.right, client.bottom);
  }
  // Pointer number 99 with a picture: the custom pointer, which is the hand.
  bool PointerIsCustom() const { return pointer_ == 99 && icon_; }
  std::uint64_t DrawCount() const { return canvas_.DrawCount(); }
  HFONT FontHandle() const { return static_cast<HFONT>(fontHandle_.get()); }
  HCURSOR HandHandle() const { return handCursor_; }

  platform::Canvas& Surface() override { return canvas_; }
  std::int32_t WindowHandle() override {
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(window_));
  }
  button::Rect ClientRect() override {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.left, client.top, client.right, client.bottom};
  }
  std::int32_t PixelsPerInch() override { return dpi_; }
  void SetWindowShape(const button::WindowShape& shape) override {
    SetWindowRgn(window_, CreateWindowRegion(shape), TRUE);
  }
  void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
  button::FontDescription SurfaceFont() override { return font_; }
  void SetSurfaceFont(const button::FontDescription& font) override;
  std::int16_t MousePointer() override { return pointer_; }
  void SetMousePointer(std::int16_t pointer) override { pointer_ = pointer; }
  button::PicturePtr MouseIcon() override { return icon_; }
  void SetMouseIcon(button::PicturePtr icon) override { icon_ = std::move(icon); }
  button::PicturePtr HandCursor() override;
  bool UserMode() override { return true; }
  std::string DisplayName() override { return name_; }
  button::FontDescription AmbientFont() override;
  bool DisplayAsDefault() override {
    const LRESULT definition = SendMessageW(GetParent(window_), DM_GETDEFID, 0, 0);
    return HIWORD(definition) == DC_HASDEFID &&
           LOWORD(definition) == static_cast<WORD>(GetDlgCtrlID(window_));
  }
  void PropertyChanged(const std::string&) override {}
  void SetHoverTimer(bool on) override {
    if (on) {
      SetTimer(window_, kHoverTimer, kHoverInterval, nullptr);
    } else {
      KillTimer(window_, kHoverTimer);
    }
  }
  bool IsMouseOver() override {
    POINT cursor{};
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == window_;
  }
  void CaptureMouse() override { SetCapture(window_); }
  void MoveFocus(bool forward) override {
    const HWND next = GetNextDlgTabItem(GetParent(window_), window_, forward ? FALSE : TRUE);
    if (next) SetFocus(next);
  }
  void ShowNow() override {
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
  }

  void CreateBackgroundSurface(std::int32_t width, std::int32_t height) override;
  void CaptureBackground() override;
  void CopyBackground() override {
    if (!background_) return;
    RECT client{};
    GetClientRect(window_, &client);
    BitBlt(buffer_.Dc(), 0, 0, client.right, client.bottom, background_->Dc(), 0, 0, SRCCOPY);
  }
  void ReleaseBackgroundSurface() override { background_.reset(); }

  button::Rgb SystemColor(int index) override { return win32::SystemColor(index); }
  button::Rgb TranslateColor(button::OleColor colour) override {
    return TranslateOleColor(colour);
  }
  // The parent's device context is borrowed once for each colour.
  button::Rgb ParentBackColor() override { return ParentColor(GetBkColor); }
  button::Rgb ParentTextColor() override { return ParentColor(GetTextColor); }
  bool HighContrast() override { return HighContrastOn(); }

 private:
  button::Rgb ParentColor(COLORREF(WINAPI* read)(HDC)) {
    const HWND parent = GetParent(window_);
    const HDC dc = GetDC(parent);
    const COLORREF colour = read(dc);
    ReleaseDC(parent, dc);
    return static_cast<button::Rgb>(colour);
  }

  HWND window_;
  std::string name_;
  int dpi_;  // the window's pixels per inch, which its fonts and pictures are sized for
  Backbuffer buffer_;
  GdiCanvas canvas_;
  UniqueGdiObject fontHandle_;
  button::FontDescription font_;
  std::int16_t pointer_ = 0;
  button::PicturePtr icon_;
  HCURSOR handCursor_ = LoadHandCursor();
  std::unique_ptr<Backbuffer> background_;
};


}  // namespace tesk::win32
