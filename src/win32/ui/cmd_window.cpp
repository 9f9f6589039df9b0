#include "win32/ui/cmd_window.h"

#include <windowsx.h>

#include <new>

#include "win32/ui/cmd_accessible.h"
#include "win32/ui/cmd_window_host.h"
#include "win32/automation/server_lifetime.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

// The form's word that the control now lives at another DPI (wParam).
constexpr UINT kSetDpiMessage = WM_USER + 0x100;

// What a window of the class carries: the host first, then the control that uses it, and last
// its accessible object, disconnected before the control goes.
struct CmdWindow {
  CmdWindow(HWND window, const CmdWindowOptions& options)
      : host(window, options.name), cmd(host), accessible(window, cmd) {
    cmd.SetEvents(options.events);
  }
  WindowHost host;
  button::Cmd cmd;
  std::string windowText;  // the caption as the window text last showed it
  bool releasingDoubleClick = false;  // the release that ends a double click is no click
  CmdAccessibleOwner accessible;
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

LRESULT MouseButton(HWND window, CmdWindow& hosted, UINT message, LPARAM position) {
  button::Cmd& cmd = hosted.cmd;
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
      hosted.releasingDoubleClick = true;
      cmd.OnDblClick();
      return 0;
    default: {
      const std::int16_t button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
      const bool inside = cmd.Width() > 0 && x >= 0 && y >= 0 && x < cmd.Width() && y < cmd.Height();
      const bool endsDoubleClick = hosted.releasingDoubleClick && button == 1;
      if (endsDoubleClick) hosted.releasingDoubleClick = false;
      ReleaseCapture();
      cmd.OnMouseUp(button, ShiftMask(), x, y);
      if (inside && !endsDoubleClick) cmd.OnClick();
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
    case kSetDpiMessage:
      w.host.SetDpi(static_cast<int>(wParam));
      cmd.DpiChanged();
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
    case WM_SYSCOLORCHANGE:  // passed on by the top-level window: colours or theme changed
      cmd.AmbientChanged();
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      return MouseButton(window, w, message, lParam);
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
    case WM_GETFONT:  // the caption's font, as a system button answers
      return reinterpret_cast<LRESULT>(w.host.FontHandle());
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BM_CLICK:  // the dialog manager's answer to the control's access key
      cmd.OnAccessKeyPress();
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer = w.accessible.Answer(wParam)) return answer;
      }
      break;
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
    if (hosted->host.DrawCount() != drawn) {
      InvalidateRect(window, nullptr, FALSE);
      hosted->accessible.AnnounceChanges();
    }
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
    windowClass.hInstance = ResourceModule();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kCmdWindowClass;
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
}

}  // namespace

HWND CreateCmdWindow(HWND parent, int id, const RECT& bounds, const CmdWindowOptions& options) {
  RegisterClassOnce();
  HWND window = CreateWindowExW(
      0, kCmdWindowClass, L"", WS_CHILD | WS_TABSTOP, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      ResourceModule(), const_cast<CmdWindowOptions*>(&options));
  if (!window) return nullptr;
  SyncWindowText(window, *WindowOf(window));
  ShowWindow(window, SW_SHOW);
  return window;
}

void SetCmdWindowDpi(HWND window, int dpi) {
  if (CmdOfWindow(window)) SendMessageW(window, kSetDpiMessage, static_cast<WPARAM>(dpi), 0);
}

button::Cmd* CmdOfWindow(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (lstrcmpW(name, kCmdWindowClass) != 0) return nullptr;
  CmdWindow* hosted = WindowOf(window);
  return hosted ? &hosted->cmd : nullptr;
}

}  // namespace tesk::win32
