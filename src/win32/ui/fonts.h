#pragma once
// Fonts of the cmd button's surface: a font object's description to a GDI font and back.

#include <windows.h>

#include "button/property_value.h"
#include "platform/form.h"

namespace tesk::win32 {

// A new font the caller deletes; sizes are points at `pixelsPerInch`.
HFONT CreateSurfaceFont(const button::FontDescription& font, int pixelsPerInch = 96);
// A font made for `pixelsPerInch`, its size in points.
button::FontDescription DescribeFont(HFONT font, int pixelsPerInch);
// A control table's font as a font object describes it.
button::FontDescription DescribeFont(const platform::FormFont& font);

}  // namespace tesk::win32
