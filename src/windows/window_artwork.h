#pragma once
// Artwork products replace a window's design-time icon and pictures with files from their
// settings folder, each only when its file exists.

#include <string>

#include "platform/form.h"
#include "windows/shared_window.h"

namespace tesk::windows {

// The window icon from "icon.ico", the rule every standard window follows.
void LoadArtworkIcon(platform::Form& form, const WindowServices& services,
                     const std::string& productSymbol);

void LoadArtworkPicture(platform::Form& form, const WindowServices& services,
                        const std::string& productSymbol, const std::string& control,
                        const std::string& fileName);

}  // namespace tesk::windows
