#pragma once
// Program start, the host thread and message boxes that only record what they were asked, in
// order.

#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/shell.h"

namespace tesk::test {

class RecordingShell final : public platform::ProgramLauncher,
                             public platform::HostThread,
                             public platform::MessageBoxes {
 public:
  // Records "start <command line> style <n>"; throws when `startError` is set.
  void Start(const std::string& commandLine, platform::WindowStyle style) override {
    calls.push_back("start " + commandLine + " style " +
                    std::to_string(static_cast<int>(style)));
    if (!startError.empty()) throw platform::PlatformError(startError);
  }
  void ProcessPendingMessages() override { calls.push_back("messages"); }
  void Pause(unsigned milliseconds) override {
    calls.push_back("pause " + std::to_string(milliseconds));
  }
  void ShowOk(const std::string& text) override { calls.push_back("box " + text); }

  std::vector<std::string> calls;
  std::string startError;
};

}  // namespace tesk::test
