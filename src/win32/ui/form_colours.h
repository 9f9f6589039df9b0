#pragma once
// The colours a form paints its surfaces, texts and lines with.

#include <windows.h>

#include "platform/form.h"

namespace tesk::win32 {

enum class ColourRole { Surface, Text, Link };

// The control table's colour as plain RGB; while a high-contrast theme is on, the theme's
// colour for the role whatever the table says: the window colour for a surface, window text
// for a text or a line, the hot-track colour for a link.
COLORREF FormColour(platform::OleColor colour, ColourRole role);

}  // namespace tesk::win32
