#pragma once
// Where a form and its controls go on the screen: twips (1440 to the inch) to pixels at the
// screen's pixels per inch, controls inside their picture box, the window centred.

#include <windows.h>

#include "platform/form.h"

namespace tesk::win32 {

struct ScreenDpi {
  int x = 96;
  int y = 96;
};

ScreenDpi QueryScreenDpi();

// A control's rectangle in client pixels; a control in a picture box is offset by the box.
// A line's rectangle runs from its start to its end point and may be "inverted".
RECT ControlBounds(const platform::FormTable& table, const platform::ControlRow& control,
                   ScreenDpi dpi);

// The window rectangle whose client area is `width` x `height` pixels for the given styles,
// centred in the work area of the primary screen.
RECT CentredWindowRect(int width, int height, DWORD style, DWORD exStyle);

}  // namespace tesk::win32
