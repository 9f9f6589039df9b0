#pragma once
// Makes sure the local MySQL server runs: when no server process is found, starts the server
// from the first fixed or network drive that has a MySQL installation in "\mysql". Never waits
// for it and never reports anything.

#include <string>

#include "platform/drives.h"
#include "platform/processes.h"
#include "platform/shell.h"

namespace tesk {

struct MySqlStartupServices {
  platform::DriveList& drives;
  platform::FileSystem& files;
  platform::ProcessList& processes;
  platform::ProgramLauncher& programs;
};

// The upper-cased file name of the first running MySQL server process, or "".
std::string FindMySqlServerProcess(platform::ProcessList& processes);

// Always false: the result tells the host nothing, whatever happened.
bool SetSql(const MySqlStartupServices& services);

}  // namespace tesk
