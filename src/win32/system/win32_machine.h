#pragma once
// The machine's drives and processes on Windows.

#include "platform/drives.h"
#include "platform/processes.h"

namespace tesk::win32 {

class Win32DriveList final : public platform::DriveList {
 public:
  std::vector<platform::Drive> Drives() override;
};

class Win32ProcessList final : public platform::ProcessList {
 public:
  void ForEachExecutable(const std::function<bool(const std::string&)>& visit) override;
};

}  // namespace tesk::win32
