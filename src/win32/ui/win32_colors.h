#pragma once
// The platform's colours for the cmd button: GetSysColor and OleTranslateColor.

#include "button/palette.h"

namespace tesk::win32 {

button::Rgb SystemColor(int index);
// A system-colour reference becomes plain RGB; a colour that cannot be translated is black.
button::Rgb TranslateOleColor(button::OleColor colour);

}  // namespace tesk::win32
