#include "platform/win32/cmd_window.h"

#include <olectl.h>
#include <windowsx.h>

#include <memory>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/server_lifetime.h"
#include "platform/win32/text_encoding.h"
#include "platform/win32/win32_colors.h"
#include "platform/win32/win32_picture.h"
#include "platform/win32/window_region.h"

namespace tesk::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TeskLumoraCmd";
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 3;
constexpr std::int16_t kCustomPointer = 99;

// An off-screen 32-bit surface of the window's size: the button draws here, WM_PAINT copies it.
class Backbuffer {
 public:
  Backbuffer() : dc_(CreateCompatibleDC(nullptr)) {}
  ~Backbuffer() { Select(nullptr); }
  Backbuffer(const Backbuffer&) = delete;
  Backbuffer& operator=(const Backbuffer&) = delete;

  HDC Dc() const { return dc_.get(); }
  void Resize(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), std::max(width, 1L), -std::max(height, 1L), 1, 32,
                      BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Select(bitmap.get());
    bitmap_ = std::move(bitmap);
  }

 private:
  void Select(HGDIOBJ bitmap) {
    if (!displaced_ && bitmap) {
      displaced_ = SelectObject(dc_.get(), bitmap);
    } else {
      SelectObject(dc_.get(), bitmap ? bitmap : displaced_);
    }
  }
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ displaced_ = nullptr;
};

button::FontDescription DescribeFont(HFONT font) {
  LOGFONTW logFont{};
  button::FontDescription description;
  if (!font || !GetObjectW(font, sizeof logFont, &logFont)) return description;
  description.name = Utf8FromWide(logFont.lfFaceName, wcslen(logFont.lfFaceName));
  description.size = std::abs(logFont.lfHeight) * 72.0 / 96.0;
  description.weight = static_cast<std::int16_t>(logFont.lfWeight);
  description.italic = logFont.lfItalic != 0;
  description.underline = logFont.lfUnderline != 0;
  description.strikethrough = logFont.lfStrikeOut != 0;
  description.charset = logFont.lfCharSet;
  return description;
}

// The host a button window gives its control.
class WindowHost final : public button::ControlHost {
 public:
  WindowHost(HWND window, std::string name) : window_(window), name_(std::move(name)),
                                               canvas_(buffer_.Dc()) {
    SetSurfaceFont(AmbientFont());
  }

  void Paint(HDC target, const RECT& area) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
           buffer_.Dc(), area.left, area.top, SRCCOPY);
  }
  void ResizeBuffer() {
    RECT client{};
    GetClientRect(window_, &client);
    buffer_.Resize(client.right, client.bottom);
  }
  bool PointerIsCustom() const { return pointer_ == kCustomPointer && icon_; }
  std::uint64_t DrawCount() const { return canvas_.DrawCount(); }
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
  std::int32_t PixelsPerInch() override { return 96; }
  void SetWindowShape(const button::WindowShape& shape) override {
    SetWindowRgn(window_, CreateWindowRegion(shape), TRUE);
  }
  void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
  button::FontDescription SurfaceFont() override { return font_; }
  void SetSurfaceFont(const button::FontDescription& font) override {
    font_ = font;
    LOGFONTW description{};
    description.lfHeight = -MulDiv(static_cast<int>(font.size * 100), 96, 7200);
    description.lfWeight = font.weight;
    description.lfItalic = font.italic;
    description.lfUnderline = font.underline;
    description.lfStrikeOut = font.strikethrough;
    description.lfCharSet = static_cast<BYTE>(font.charset);
    const std::wstring face = WideFromUtf8(font.name);
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    fontHandle_.reset(CreateFontIndirectW(&description));
    canvas_.SetFont(static_cast<HFONT>(fontHandle_.get()));
  }
  std::int16_t MousePointer() override { return pointer_; }
  void SetMousePointer(std::int16_t pointer) override { pointer_ = pointer; }
  button::PicturePtr MouseIcon() override { return icon_; }
  void SetMouseIcon(button::PicturePtr icon) override { icon_ = std::move(icon); }
  button::PicturePtr HandCursor() override;
  bool UserMode() override { return true; }
  std::string DisplayName() override { return name_; }
  button::FontDescription AmbientFont() override {
    const HWND parent = GetParent(window_);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    return DescribeFont(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  }
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

 private:
  button::Rgb ParentColor(COLORREF (*read)(HDC)) {
    const HWND parent = GetParent(window_);
    const HDC dc = GetDC(parent);
    const COLORREF colour = read(dc);
    ReleaseDC(parent, dc);
    return static_cast<button::Rgb>(colour);
  }

  HWND window_;
  std::string name_;
  Backbuffer buffer_;
  GdiCanvas canvas_;
  UniqueGdiObject fontHandle_;
  button::FontDescription font_;
  std::int16_t pointer_ = 0;
  button::PicturePtr icon_;
  HCURSOR handCursor_ = LoadCursor(nullptr, IDC_HAND);
  std::unique_ptr<Backbuffer> background_;
};

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

// What a window of the class carries: the host first, then the control that uses it.
struct CmdWindow {
  CmdWindow(HWND window, const CmdWindowOptions& options)
      : host(window, options.name), cmd(host) {
    cmd.SetEvents(options.events);
  }
  WindowHost host;
  button::Cmd cmd;
  std::string windowText;  // the caption as the window text last showed it
};

CmdWindow* WindowOf(HWND window) {
  return reinterpret_cast<CmdWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::int16_t ShiftMask() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

std::int16_t ButtonMask(WPARAM keys) {
  std::int16_t buttons = 0;
  if (keys & MK_LBUTTON) buttons |= 1;
  if (keys & MK_RBUTTON) buttons |= 2;
  if (keys & MK_MBUTTON) buttons |= 4;
  return buttons;
}

// The window text follows the caption, however the caption was changed.
void SyncWindowText(HWND window, CmdWindow& hosted) {
  if (hosted.cmd.Caption() == hosted.windowText) return;
  hosted.windowText = hosted.cmd.Caption();
  SetWindowTextW(window, WideFromUtf8(hosted.windowText).c_str());
}

LRESULT MouseButton(HWND window, button::Cmd& cmd, UINT message, LPARAM position) {
  const float x = static_cast<float>(GET_X_LPARAM(position));
  const float y = static_cast<float>(GET_Y_LPARAM(position));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const std::int16_t button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
      if (GetFocus() != window && message == WM_LBUTTONDOWN) SetFocus(window);
      SetCapture(window);
      cmd.OnMouseDown(button, ShiftMask(), x, y);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      cmd.OnDblClick();
      return 0;
    default: {
      const std::int16_t button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
      const bool inside = cmd.Width() > 0 && x >= 0 && y >= 0 && x < cmd.Width() && y < cmd.Height();
      ReleaseCapture();
      cmd.OnMouseUp(button, ShiftMask(), x, y);
      if (inside) cmd.OnClick();
      return 0;
    }
  }
}

LRESULT Handle(HWND window, CmdWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  button::Cmd& cmd = w.cmd;
  switch (message) {
    case WM_SIZE:
      w.host.ResizeBuffer();
      cmd.Resize();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) {
        cmd.Show();
      } else {
        cmd.Hide();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      w.host.Paint(dc, paint.rcPaint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      return MouseButton(window, cmd, message, lParam);
    case WM_MOUSEMOVE:
      cmd.OnMouseMove(ButtonMask(wParam), ShiftMask(), static_cast<float>(GET_X_LPARAM(lParam)),
                      static_cast<float>(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_TIMER:
      if (wParam == kHoverTimer) cmd.OnHoverTimer();
      return 0;
    case WM_KEYDOWN:
      cmd.OnKeyDown(static_cast<std::int16_t>(wParam), ShiftMask());
      return 0;
    case WM_KEYUP:
      cmd.OnKeyUp(static_cast<std::int16_t>(wParam), ShiftMask());
      return 0;
    case WM_CHAR:
      cmd.OnKeyPress(static_cast<std::int16_t>(wParam));
      return 0;
    case WM_SETFOCUS:
      cmd.OnGotFocus();
      return 0;
    case WM_KILLFOCUS:
      cmd.OnLostFocus();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BM_CLICK:  // the dialog manager's answer to the control's access key
      cmd.OnAccessKeyPress();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(w.host.PointerIsCustom() ? w.host.HandHandle() : LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CmdWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* options = static_cast<const CmdWindowOptions*>(create->lpCreateParams);
    auto* hosted = new (std::nothrow) CmdWindow(window, *options);
    if (!hosted) return FALSE;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hosted));
    hosted->cmd.Initialize();
    try {
      if (options->saved) {
        hosted->cmd.ReadProperties(*options->saved);
      } else {
        hosted->cmd.InitProperties();
      }
    } catch (const std::exception&) {
      // A saved state that cannot be read keeps the keys read before the bad one.
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  CmdWindow* hosted = WindowOf(window);
  if (!hosted) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    hosted->cmd.Terminate();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete hosted;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    const std::uint64_t drawn = hosted->host.DrawCount();
    const LRESULT result = Handle(window, *hosted, message, wParam, lParam);
    if (hosted->host.DrawCount() != drawn) InvalidateRect(window, nullptr, FALSE);
    if (message != WM_SETTEXT) SyncWindowText(window, *hosted);
    return result;
  } catch (...) {
    // An overflow left by a container's handler ends that notice; the window goes on.
    return 0;
  }
}

void RegisterClassOnce() {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_PARENTDC;
    windowClass.lpfnWndProc = CmdWindowProc;
    windowClass.hInstance = ThisModule() ? ThisModule() : GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
}

}  // namespace

HWND CreateCmdWindow(HWND parent, int id, const RECT& bounds, const CmdWindowOptions& options) {
  RegisterClassOnce();
  HWND window = CreateWindowExW(
      0, kClassName, L"", WS_CHILD | WS_TABSTOP, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      ThisModule() ? ThisModule() : GetModuleHandleW(nullptr), const_cast<CmdWindowOptions*>(&options));
  if (!window) return nullptr;
  SyncWindowText(window, *WindowOf(window));
  ShowWindow(window, SW_SHOW);
  return window;
}

button::Cmd* CmdOfWindow(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (lstrcmpW(name, kClassName) != 0) return nullptr;
  CmdWindow* hosted = WindowOf(window);
  return hosted ? &hosted->cmd : nullptr;
}

}  // namespace tesk::win32
