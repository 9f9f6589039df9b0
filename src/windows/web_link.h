#pragma once
// The windows' links to the maker's web sites: an address written as the windows show it, and
// the browser started on it through "explorer", minimised.

#include <string>

#include "platform/shell.h"

namespace tesk::windows {

// "http:" and two backslashes before the host name.
std::string WebAddress(const std::string& host);

// The command is not awaited or examined: a browser that cannot start is passed over.
void OpenWebAddress(platform::ProgramLauncher& programs, const std::string& host);

}  // namespace tesk::windows
