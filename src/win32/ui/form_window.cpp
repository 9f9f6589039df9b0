#include "win32/ui/form_window.h"

#include <windowsx.h>

#include <stdexcept>

#include "win32/automation/server_lifetime.h"
#include "win32/system/activation_context.h"
#include "win32/system/text_encoding.h"
#include "win32/ui/cmd_window.h"
#include "win32/ui/form_children.h"
#include "win32/ui/form_painting.h"
#include "win32/ui/window_dpi.h"

namespace tesk::win32 {
namespace {

using platform::ControlKind;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kSizableStyle = kStyle | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// A fixed single border, not a dialog frame: a dialog frame would hide the window's icon.
constexpr DWORD kExStyle = WS_EX_WINDOWEDGE;
constexpr int kFirstControlId = 100;
// Large enough for any frame to have a client area, so that the frame can be measured.
constexpr SIZE kProvisionalSize{640, 480};

void RegisterClassOnce(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ResourceModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kFormWindowClass;
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
}

RECT Normalised(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  // A line's end point and its one-pixel pen reach one pixel past the rectangle.
  InflateRect(&r, 1, 1);
  return r;
}

}  // namespace

FormWindow::FormWindow(const platform::FormTable& table, platform::FormEvents& events)
    : events_(events), backColor_(table.backColor), font_(table.font) {
  // The form and its children are created in the DLL's own context (themed system controls);
  // the load steps and the modal loop after it run in the host's, where its handlers may
  // create windows of their own.
  const OwnActivationScope scope;
  CreateWindowFor(table);
  CreateControls(table);
  SetIcons(DesignWindowIcons(dpi_));
}

void FormWindow::CreateWindowFor(const platform::FormTable& table) {
  RegisterClassOnce(Procedure);
  const DWORD style = table.sizable ? kSizableStyle : kStyle;
  // The window procedure takes the handle into window_ as soon as the window exists. It opens
  // on the primary screen, where it is centred: its DPI is known from then on.
  CreateWindowExW(kExStyle, kFormWindowClass, WideFromUtf8(table.caption).c_str(), style, 0, 0,
                  kProvisionalSize.cx, kProvisionalSize.cy, nullptr, nullptr, ResourceModule(),
                  this);
  if (!window_) throw std::runtime_error("a form's window cannot be created");
  dpi_ = WindowDpi(window_.get());
  gdi_.SetDpi(dpi_);
  clientTwips_ = {table.width, table.height};
  const RECT r = CentredWindowRect(window_.get(), TwipsToPixels(table.width, dpi_),
                                   TwipsToPixels(table.height, dpi_));
  SetWindowPos(window_.get(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::CreateControls(const platform::FormTable& table) {
  controls_.reserve(table.controls.size());
  for (const auto& row : table.controls) {
    auto control = std::make_unique<FormControl>();
    control->row = row;
    control->form = this;
    control->place = ControlPlace(table, row);
    control->bounds = PixelRect(control->place, dpi_);
    control->picture = DesignPictureObject(row.picture);
    controls_.push_back(std::move(control));
  }
  int id = kFirstControlId;
  for (auto& control : controls_) CreateChildWindow(window_.get(), id++, *control, gdi_);
}

void FormWindow::SetIcons(IconPair icons) {
  if (icons.large) {
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large.get()));
    icons_.large = std::move(icons.large);  // the previous icon goes once it is no longer shown
  }
  if (icons.little) {
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icons.little.get()));
    icons_.little = std::move(icons.little);
  }
}

void FormWindow::Show() {
  const HWND window = window_.get();
  // As the window first shows, its controls take their places for its size.
  shown_ = true;
  RunHandler([this] { events_.Resize(*this); });
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  for (const auto& control : controls_) {
    if (control->row.kind == ControlKind::Button && control->row.visible) {
      SetFocus(control->window);
      break;
    }
  }
  UpdateWindow(window);
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(window);
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.release();  // destroyed by whoever asked; nothing left to destroy
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    // Nothing may cross user32; the message gets the system's default treatment.
    return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               gdi_.Brush(Colour(backColor_, ColourRole::Surface)));
      return 1;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return ColourChild(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      Command(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MOUSEMOVE:
      ControlMouseMove(ImageAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(gdi_.Font(font_));
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) KeepClientTwips();
      if (shown_) RunHandler([this] { events_.Resize(*this); });
      return 0;
    case WM_GETDPISCALEDSIZE:
      return ScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_DPICHANGED:
      ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:  // the close box and Alt+F4: unloads like any other way of closing
      Unload();
      return 0;
    case WM_ACTIVATE:
      Activate(wParam);
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) FollowSystemColours(0, 0);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
      FollowSystemColours(wParam, lParam);
      return 0;
    case WM_NEXTDLGCTL: {  // how a multi-line text box passes Tab on, as in a dialog box
      const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT FormWindow::ColourChild(HDC dc, HWND child) {
  const FormControl* control = FindByWindow(child);
  if (!control) {
    return DefWindowProcW(window_.get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child));
  }
  const COLORREF back = Colour(control->row.backColor, ColourRole::Surface);
  SetTextColor(dc, Colour(control->row.foreColor,
                          control->row.notifies ? ColourRole::Link : ColourRole::Text));
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(gdi_.Brush(back));
}

void FormWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_.get(), &paint);
  if (!dc) return;
  try {
    PaintFormControls(
        dc, controls_, [this](platform::OleColor c, ColourRole r) { return Colour(c, r); }, dpi_);
  } catch (...) {
    EndPaint(window_.get(), &paint);
    throw;
  }
  EndPaint(window_.get(), &paint);
}

void FormWindow::Command(WPARAM wParam, LPARAM lParam) {
  const auto child = reinterpret_cast<HWND>(lParam);
  if (!child) {
    // From the dialog manager: Esc closes; Enter presses the focused button, which in a
    // dialog box would be the default one.
    if (LOWORD(wParam) == IDCANCEL) Unload();
    if (LOWORD(wParam) == IDOK) PressFocusedButton();
    return;
  }
  const FormControl* control = FindByWindow(child);
  if (control && control->row.kind == ControlKind::Label && HIWORD(wParam) == STN_CLICKED) {
    ControlClick(control->row.name);
  }
}

LRESULT FormWindow::Notify(const NMHDR& notice) {
  const FormControl* control = FindByWindow(notice.hwndFrom);
  return control && control->grid ? control->grid->Notify(notice) : 0;
}

void FormWindow::PressFocusedButton() {
  const FormControl* focused = FindByWindow(GetFocus());
  if (focused && focused->row.kind == ControlKind::Button) {
    SendMessageW(focused->window, BM_CLICK, 0, 0);
  }
}

// The focus leaves with the activation and comes back to the control that had it, as in a
// dialog box: a nested form closing hands the keyboard back where it was.
void FormWindow::Activate(WPARAM wParam) {
  const HWND window = window_.get();
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) focused_ = focus;
    return;
  }
  if (!focused_ || !IsWindow(focused_) || !IsChild(window, focused_)) {
    focused_ = GetNextDlgTabItem(window, nullptr, FALSE);
  }
  SetFocus(focused_ ? focused_ : window);
}

std::string FormWindow::ImageAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    const FormControl& control = **it;
    if (control.row.kind == ControlKind::Image && control.row.visible &&
        PtInRect(&control.bounds, point)) {
      return control.row.name;
    }
  }
  return {};
}

template <typename Handler>
void FormWindow::RunHandler(Handler&& handler) noexcept {
  // A form that is closing, or whose handler failed, raises no more events.
  if (unloading_ || failure_) return;
  try {
    handler();
  } catch (...) {
    failure_ = std::current_exception();
    Unload();
  }
}

void FormWindow::ControlClick(const std::string& name) {
  RunHandler([&] { events_.Click(*this, name); });
}

void FormWindow::ControlMouseMove(const std::string& name) {
  RunHandler([&] { events_.MouseMove(*this, name); });
}

FormControl* FormWindow::Find(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->row.name == name) return control.get();
  }
  return nullptr;
}

FormControl* FormWindow::FindByWindow(HWND child) const {
  if (!child) return nullptr;
  for (const auto& control : controls_) {
    if (control->window == child) return control.get();
  }
  return nullptr;
}

COLORREF FormWindow::Colour(platform::OleColor colour, ColourRole role) const {
  if (colour == platform::kFormBackground) colour = backColor_;
  return FormColour(colour, role);
}

// The system's colours or its high-contrast theme changed: the children hear of it from the
// top-level window alone, and everything is painted again in the colours of the moment.
void FormWindow::FollowSystemColours(WPARAM wParam, LPARAM lParam) {
  const HWND window = window_.get();
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SYSCOLORCHANGE, wParam, lParam);
  }
  for (const auto& control : controls_) {
    if (control->grid) control->grid->FollowSystemColours();
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormWindow::Repaint(const FormControl& control) {
  if (control.window) {
    InvalidateRect(control.window, nullptr, TRUE);
    return;
  }
  const RECT area = Normalised(control.bounds);
  InvalidateRect(window_.get(), &area, TRUE);
}

void FormWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(window_.get(), WideFromUtf8(caption).c_str());
}

void FormWindow::LoadIcon(const std::string& path) {
  IconPair icons = IconsFromFile(path, dpi_);
  if (icons.large || icons.little) iconFile_ = path;
  SetIcons(std::move(icons));
}

void FormWindow::LoadPicture(const std::string& control, const std::string& path) {
  FormControl* image = Find(control);
  if (!image || image->row.kind != ControlKind::Image) return;
  PicturePointer picture = PictureFromFile(path);
  if (!picture) return;
  image->picture = std::move(picture);
  Repaint(*image);
}

void FormWindow::SetText(const std::string& control, const std::string& text) {
  if (FormControl* found = Find(control)) SetChildText(*found, text);
}

void FormWindow::SetForeColor(const std::string& control, platform::OleColor colour) {
  FormControl* found = Find(control);
  if (!found) return;
  found->row.foreColor = colour;
  if (button::Cmd* cmd = found->window ? CmdOfWindow(found->window) : nullptr) {
    cmd->SetForeColor(colour);
  }
  Repaint(*found);
}

void FormWindow::SetBackColor(const std::string& control, platform::OleColor colour) {
  FormControl* found = Find(control);
  if (!found) return;
  found->row.backColor = colour;
  if (button::Cmd* cmd = found->window ? CmdOfWindow(found->window) : nullptr) {
    cmd->SetBackColor(colour);
  }
  Repaint(*found);
}

void FormWindow::SetMouseIcon(const std::string& control, const std::string& source) {
  FormControl* target = Find(control);
  const FormControl* from = Find(source);
  if (!target || !from || !from->picture) return;
  target->mouseIcon = from->picture;
}

void FormWindow::FillGrid(const std::string& control, const platform::GridContents& contents) {
  FormControl* found = Find(control);
  if (found && found->grid) found->grid->Fill(contents);
}

void FormWindow::Destroy() {
  // An embedded control closes while its window still exists, and before the form's goes.
  for (auto& control : controls_) control->browser.reset();
  window_.reset();
}

bool FormWindow::TranslateAccelerator(MSG& message) {
  for (auto& control : controls_) {
    if (control->browser && control->browser->TranslateAccelerator(message)) return true;
  }
  return false;
}

void FormWindow::Navigate(const std::string& control, const std::string& address) {
  FormControl* found = Find(control);
  if (found && found->browser) found->browser->Navigate(WideFromUtf8(address));
}

std::int32_t FormWindow::ScaleWidth() {
  RECT client{};
  GetClientRect(window_.get(), &client);
  return PixelsToTwips(client.right, dpi_);
}

std::int32_t FormWindow::ScaleHeight() {
  RECT client{};
  GetClientRect(window_.get(), &client);
  return PixelsToTwips(client.bottom, dpi_);
}

void FormWindow::MoveControl(const std::string& control, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height) {
  FormControl* found = Find(control);
  if (!found) return;
  Repaint(*found);
  found->place = {left, top, left + width, top + height};
  Place(*found);
  Repaint(*found);
}

void FormWindow::Unload() {
  unloading_ = true;
  // Wakes the modal loop, which destroys the window once the current message is done.
  if (window_) PostMessageW(window_.get(), WM_NULL, 0, 0);
}

}  // namespace tesk::win32
