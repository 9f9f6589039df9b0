#pragma once
// The cmd button as a Windows child control: a window of class "TeskLumoraCmd" that hosts a
// Cmd, delivers its notices from the window's messages and paints it from an off-screen surface.
// Its window text is the caption, and it answers screen readers and UI automation with an
// accessible push button of its own (cmd_accessible.h); dialogs find it as a push button, so
// its access key works through IsDialogMessage.

#include <windows.h>

#include <string>

#include "button/cmd.h"

namespace tesk::win32 {

constexpr wchar_t kCmdWindowClass[] = L"TeskLumoraCmd";

struct CmdWindowOptions {
  std::string name = "cmd1";        // the container's name for the control
  const button::PropertyBag* saved = nullptr;  // restore from this bag, else a new control
  button::CmdEvents* events = nullptr;
};

// Creates the control as a tab stop of `parent`; the window owns the control.
HWND CreateCmdWindow(HWND parent, int id, const RECT& bounds, const CmdWindowOptions& options);

// Lays the control out again for a screen of `dpi` pixels per inch: its font, caption, picture
// and shape. The container moves and sizes it.
void SetCmdWindowDpi(HWND window, int dpi);

// The control a window of class "TeskLumoraCmd" hosts, or null.
button::Cmd* CmdOfWindow(HWND window);

}  // namespace tesk::win32
