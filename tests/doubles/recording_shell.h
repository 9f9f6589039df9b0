#pragma once
// Program start and message boxes that only record what they were asked, in order.

#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/shell.h"

namespace tesk::test {

class RecordingShell final : public platform::ProgramLauncher, public platform::MessageBoxes {
 public:
  // Records "start <command line> style <n>"; throws when `startError` is set.
  void Start(const std::string& commandLine, platform::WindowStyle style) override {
    calls.push_back("start " + commandLine + " style " +
                    std::to_string(static_cast<int>(style)));
    if (!startError.empty()) throw platform::PlatformError(startError);
  }
  void ShowOk(const std::string& text) override { calls.push_back("box " + text); }

  std::vector<std::string> calls;
  std::string startError;
};

}  // namespace tesk::test
