#pragma once
// What a form paints itself: picture boxes, then images and lines, in table order.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "win32/ui/form_colours.h"
#include "win32/ui/form_control.h"

namespace tesk::win32 {

// `colour` turns a control's OLE colour into the colour to paint in its role; `dpi` is the
// form's.
void PaintFormControls(
    HDC dc, const std::vector<std::unique_ptr<FormControl>>& controls,
    const std::function<COLORREF(platform::OleColor, ColourRole)>& colour, int dpi);

}  // namespace tesk::win32
