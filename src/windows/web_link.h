#pragma once
// The windows' links to the maker's web sites: an address written as the windows show it, and
// the browser started on it through "explorer", minimised. Pages that the bug-report page opens
// in a new window go to the user's browser the same way.

#include <string>

#include "platform/shell.h"

namespace tesk::windows {

// "http:" and two backslashes before the host name.
std::string WebAddress(const std::string& host);

// The command is not awaited or examined: a browser that cannot start is passed over.
void OpenWebAddress(platform::ProgramLauncher& programs, const std::string& host);

// Starts the browser on a whole web address (one without blanks or quotes), in a normal window:
// the user asked for the page.
void OpenPageInBrowser(platform::ProgramLauncher& programs, const std::string& address);

}  // namespace tesk::windows
