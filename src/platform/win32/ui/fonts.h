#pragma once
// Fonts of the cmd button's surface: a font object's description to a GDI font and back.

#include <windows.h>

#include "button/property_value.h"

namespace tesk::win32 {

// A new font the caller deletes; sizes are points at 96 pixels per inch.
HFONT CreateSurfaceFont(const button::FontDescription& font);
button::FontDescription DescribeFont(HFONT font);

}  // namespace tesk::win32
