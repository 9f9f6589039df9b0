#include "interface/reg_lib_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/memory_files.h"
#include "platform/platform_error.h"

namespace tesk {
namespace {

// The launcher, thread and message boxes of the set-up, recording what was asked in order.
class Recorder : public platform::ProgramLauncher,
                 public platform::HostThread,
                 public platform::MessageBoxes {
 public:
  void Start(const std::string& commandLine, platform::WindowStyle style) override {
    calls.push_back("start " + commandLine + " style " + std::to_string(static_cast<int>(style)));
    if (!startError.empty()) throw platform::PlatformError(startError);
  }
  void ProcessPendingMessages() override { calls.push_back("messages"); }
  void Pause(unsigned milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }
  void ShowOk(const std::string& text) override { calls.push_back("box " + text); }

  std::string startError;
  std::vector<std::string> calls;
};

TEST(RegLibSetup, StartsRegasmMinimisedBesideWinRegOrShowsTheFailureAndPausesUnlessItFailed) {
  const std::string winReg = "C:\\Program Files\\Host\\WinReg.dll";
  const std::string start = "start regasm " + winReg + " /tlb style 2";
  const char* noFile = "The system cannot find the file specified.";
  const struct {
    bool winRegPresent;
    const char* startError;
    std::vector<std::string> calls;
  } cases[] = {
      {true, "", {start, "messages", "pause 5000"}},
      {false, "", {"messages", "pause 5000"}},
      {true, noFile, {start, std::string("box ") + noFile}},
  };
  for (const auto& c : cases) {
    test::MemoryFiles files;
    if (c.winRegPresent) files.files[winReg] = "";
    Recorder recorder;
    recorder.startError = c.startError;
    RunRegLibSetup({files, files, recorder, recorder, recorder});
    EXPECT_EQ(files.touched, std::vector<std::string>{winReg});
    EXPECT_EQ(recorder.calls, c.calls) << c.winRegPresent << " " << c.startError;
  }
}

}  // namespace
}  // namespace tesk
