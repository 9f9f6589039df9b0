#pragma once
// Where a form and its controls go on the screen: twips (1440 to the inch) to pixels at the
// form's pixels per inch (window_dpi.h), controls inside their picture box, the window centred.

#include <windows.h>

#include "platform/form.h"

namespace tesk::win32 {

int TwipsToPixels(std::int32_t twips, int dpi);
std::int32_t PixelsToTwips(int pixels, int dpi);

// A control's rectangle in client twips; a control in a picture box is offset by the box.
// A line's rectangle runs from its start to its end point and may be "inverted".
RECT ControlPlace(const platform::FormTable& table, const platform::ControlRow& control);
// A rectangle in twips as pixels at `dpi`, each edge rounded on its own: the same place gives
// the same pixels whether the window opened at that DPI or came to it.
RECT PixelRect(const RECT& twips, int dpi);

// The outer size that gives `window` a client area of `width` x `height` pixels, its frame
// measured on the window as it is.
SIZE OuterSize(HWND window, int width, int height);

// The window rectangle that gives `window` a client area of `width` x `height` pixels, centred
// in the work area of the primary screen. The frame is measured on the window itself, so that
// it counts at the window's own DPI.
RECT CentredWindowRect(HWND window, int width, int height);

}  // namespace tesk::win32
