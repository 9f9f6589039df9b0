#pragma once
// The machine's drives, in drive-letter order, with the type the system gives each.

#include <vector>

namespace tesk::platform {

// The values of GetDriveType.
enum class DriveType { Unknown = 0, NoRootDirectory = 1, Removable = 2, Fixed = 3, Remote = 4,
                       CdRom = 5, RamDisk = 6 };

struct Drive {
  char letter;
  DriveType type;
};

class DriveList {
 public:
  virtual ~DriveList() = default;
  // Never fails: a drive whose type cannot be read is Unknown.
  virtual std::vector<Drive> Drives() = 0;
};

}  // namespace tesk::platform
