#pragma once
// The Windows system-information program, started from the About window.

#include "windows/shared_window.h"

namespace tesk::windows {

// Starts the program the registry names (its own "PATH", or "MSINFO32.EXE" in the shared-tools
// folder when that file exists) in a normal window; otherwise, or when starting fails, tells
// the user that system information is unavailable.
void StartSysInfo(const WindowServices& services);

}  // namespace tesk::windows
