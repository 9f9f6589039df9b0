#include "windows/standard_windows.h"

namespace tesk::windows {

StandardWindows& SharedStandardWindows() {
  static StandardWindows windows(SharedHostValues());
  return windows;
}

}  // namespace tesk::windows
