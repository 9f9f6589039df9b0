#pragma once
// The child windows of a form: STATIC windows for labels, a read-only EDIT for the text box,
// a list view for a grid, the web-browser control for a browser, a cmd window for each button. Images, lines and picture boxes have none: the form paints them.

#include <windows.h>

#include <string>

#include "win32/ui/form_control.h"
#include "win32/ui/form_gdi_cache.h"

namespace tesk::win32 {

// Creates the control's child window, if its kind has one, as child `id` of `form`, and shows
// it when the control is visible. Throws std::runtime_error when the system refuses it.
void CreateChildWindow(HWND form, int id, FormControl& control, FormGdiCache& gdi);

// A label's or text box's text, or a button's caption.
void SetChildText(FormControl& control, const std::string& text);

// Every line break (CR LF, LF or CR alone) as the CR LF an edit control needs to break a line.
std::wstring WithWindowsLineBreaks(const std::wstring& text);

}  // namespace tesk::win32
