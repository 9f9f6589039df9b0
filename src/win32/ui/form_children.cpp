#include "win32/ui/form_children.h"

#include <algorithm>
#include <stdexcept>

#include "win32/automation/server_lifetime.h"
#include "win32/system/text_encoding.h"
#include "win32/ui/cmd_window.h"
#include "win32/ui/fonts.h"
#include "win32/ui/form_window.h"

namespace tesk::win32 {
namespace {

using platform::ControlKind;

// A button's click reaches the form's handlers under the button's name.
class ButtonClicks final : public button::CmdEvents {
 public:
  ButtonClicks(FormWindow& form, std::string name) : form_(form), name_(std::move(name)) {}
  void Click() override { form_.ControlClick(name_); }

 private:
  FormWindow& form_;
  std::string name_;
};

LRESULT LabelMessage(HWND window, FormControl& control, UINT message, WPARAM wParam,
                     LPARAM lParam) {
  if (message == WM_MOUSEMOVE) {
    control.form->ControlMouseMove(control.row.name);
  } else if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
    const HCURSOR custom = control.row.mousePointer == platform::kCustomPointer
                               ? CursorOfPicture(control.mouseIcon.Get())
                               : nullptr;
    SetCursor(custom ? custom : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    return TRUE;
  }
  return CallWindowProcW(control.labelProcedure, window, message, wParam, lParam);
}

// A link label sees its own mouse movement and pointer; the rest is the STATIC class's.
LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<FormControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!control || !control->labelProcedure) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC original = control->labelProcedure;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    control->labelProcedure = nullptr;
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
  try {
    return LabelMessage(window, *control, message, wParam, lParam);
  } catch (...) {
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
}

HWND CreateChild(HWND form, int id, const wchar_t* className, DWORD style, DWORD exStyle,
                 const RECT& r) {
  const HWND child = CreateWindowExW(exStyle, className, L"", WS_CHILD | style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, form,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ResourceModule(), nullptr);
  if (!child) throw std::runtime_error("a form's child window cannot be created");
  return child;
}

// A label never narrower than its place in the table, wide enough for its text on one line.
void WidenToText(const FormControl& control, const std::wstring& text) {
  const HDC dc = GetDC(control.window);
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control.window, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(control.window, dc);
  const LONG width = std::max(control.bounds.right - control.bounds.left, extent.cx);
  SetWindowPos(control.window, nullptr, 0, 0, width, control.bounds.bottom - control.bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateLabel(HWND form, int id, FormControl& control) {
  DWORD style = SS_LEFT | SS_NOPREFIX;
  if (control.row.notifies) style |= SS_NOTIFY;
  control.window = CreateChild(form, id, L"STATIC", style, 0, control.bounds);
  if (!control.row.notifies) return;
  SetWindowLongPtrW(control.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
  control.labelProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelProcedure)));
}

void CreateTextBox(HWND form, int id, FormControl& control) {
  // A tab stop: from the keyboard alone the text is scrolled and copied there.
  const DWORD style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
  control.window = CreateChild(form, id, L"EDIT", style, WS_EX_CLIENTEDGE, control.bounds);
}

void SetUpButton(button::Cmd& cmd, const platform::ControlRow& row) {
  const platform::ButtonLook& look = row.button;
  cmd.SetButtonType(look.buttonType);
  cmd.SetColorScheme(look.colorScheme);
  cmd.SetBackColor(look.backColor);
  cmd.SetBackOver(look.backOver);
  cmd.SetForeColor(look.foreColor);
  cmd.SetForeOver(look.foreOver);
  cmd.SetMaskColor(look.maskColor);
  cmd.SetUseMaskColor(look.useMaskColor);
  cmd.SetShowFocusRect(look.showFocusRect);
  cmd.SetEnabled(true);
  cmd.SetFont(DescribeFont(row.font));
  cmd.SetCaption(row.text);
}

void CreateButton(HWND form, int id, FormControl& control) {
  control.buttonEvents = std::make_unique<ButtonClicks>(*control.form, control.row.name);
  CmdWindowOptions options;
  options.name = control.row.name;
  options.events = control.buttonEvents.get();
  control.window = CreateCmdWindow(form, id, control.bounds, options);
  if (!control.window) throw std::runtime_error("a form's button cannot be created");
  if (!control.row.visible) ShowWindow(control.window, SW_HIDE);
  if (button::Cmd* cmd = CmdOfWindow(control.window)) SetUpButton(*cmd, control.row);
}

}  // namespace

void CreateChildWindow(HWND form, int id, FormControl& control, FormGdiCache& gdi) {
  switch (control.row.kind) {
    case ControlKind::Label:
      CreateLabel(form, id, control);
      break;
    case ControlKind::TextBox:
      CreateTextBox(form, id, control);
      break;
    case ControlKind::Button:
      CreateButton(form, id, control);
      return;
    case ControlKind::Grid:
      control.grid = std::make_unique<FormGrid>(form, id, control.bounds, control.row, gdi);
      control.window = control.grid->Window();
      return;
    case ControlKind::Browser:
      control.browser = std::make_unique<FormBrowser>(form, control.bounds);
      control.window = control.browser->Window();
      return;
    default:
      return;
  }
  if (const HFONT font = gdi.Font(control.row.font)) {
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SetChildText(control, control.row.text);
  if (control.row.visible) ShowWindow(control.window, SW_SHOWNA);
}

void SetChildText(FormControl& control, const std::string& text) {
  control.row.text = text;
  if (!control.window) return;
  if (control.row.kind == ControlKind::Button) {
    if (button::Cmd* cmd = CmdOfWindow(control.window)) cmd->SetCaption(text);
    return;
  }
  std::wstring wide = WideFromUtf8(text);
  if (control.row.kind == ControlKind::TextBox) wide = WithWindowsLineBreaks(wide);
  SetWindowTextW(control.window, wide.c_str());
  if (control.row.autoSize) WidenToText(control, wide);
}

std::wstring WithWindowsLineBreaks(const std::wstring& text) {
  std::wstring converted;
  converted.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      converted += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      converted += c;
    }
  }
  return converted;
}

}  // namespace tesk::win32
