#pragma once
// The settings folder below the Windows system directory, where products that carry their own
// artwork keep their icon, pictures and the text settings file "varn.dat".

#include <optional>
#include <string>

#include "platform/shell.h"
#include "windows/shared_window.h"

namespace tesk::windows {

// The system directory in lower case, "\" and the product's folder name; no trailing "\".
// Built afresh on every call.
std::string SettingsFolder(platform::Environment& environment,
                           const std::string& productSymbol);

// Whether the product replaces the windows' design-time artwork; exact and case-sensitive.
bool IsArtworkProduct(const std::string& productSymbol);

// The path of the settings-folder file `fileName` when the product carries its own artwork
// and the file exists; for other products no file is looked at.
std::optional<std::string> ArtworkFile(const WindowServices& services,
                                       const std::string& productSymbol,
                                       const std::string& fileName);

// The value of `key` in "varn.dat", or "" when the product has no artwork, the file is missing
// or no line carries the key. Lines read "key=value"; keys compare trimmed and in any case,
// the value ends at the next "=" and keeps its blanks, and the last line with the key wins.
std::string GetSettingValue(const WindowServices& services, const std::string& productSymbol,
                            const std::string& key);

}  // namespace tesk::windows
