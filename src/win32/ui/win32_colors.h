#pragma once
// The platform's colours: GetSysColor, OleTranslateColor and whether a high-contrast theme is on.

#include "button/palette.h"

namespace tesk::win32 {

button::Rgb SystemColor(int index);
// A system-colour reference becomes plain RGB; a colour that cannot be translated is black.
button::Rgb TranslateOleColor(button::OleColor colour);
// SPI_GETHIGHCONTRAST; false when the system cannot tell.
bool HighContrastOn();

}  // namespace tesk::win32
