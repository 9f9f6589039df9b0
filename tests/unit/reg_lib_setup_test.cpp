#include "interface/reg_lib_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_error.h"

namespace tesk {
namespace {

// One double for every service of the set-up, recording what was asked of it in order.
class SetupDouble : public platform::Environment,
                    public platform::FileSystem,
                    public platform::ProgramLauncher,
                    public platform::HostThread,
                    public platform::MessageBoxes {
 public:
  std::string LibraryFolder() override { return "C:\\Program Files\\Host"; }
  std::string Variable(const std::string&) override { return {}; }
  std::string SystemDirectory() override { return {}; }
  bool FileExists(const std::string& path) override {
    calls.push_back("exists " + path);
    return winRegPresent;
  }
  std::optional<std::string> ReadFirstLine(const std::string&) override { return {}; }
  bool ReadLines(const std::string&, const std::function<bool(const std::string&)>&) override {
    return false;
  }
  void RemoveFile(const std::string&) override {}
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

  void Run() { RunRegLibSetup({*this, *this, *this, *this, *this}); }

  bool winRegPresent = false;
  std::string startError;
  std::vector<std::string> calls;
};

TEST(RegLibSetup, StartsRegasmMinimisedWhenWinRegIsBesideTheLibrary) {
  SetupDouble setup;
  setup.winRegPresent = true;
  setup.Run();
  const std::vector<std::string> expected = {
      "exists C:\\Program Files\\Host\\WinReg.dll",
      "start regasm C:\\Program Files\\Host\\WinReg.dll /tlb style 2",
      "messages",
      "pause 5000",
  };
  EXPECT_EQ(setup.calls, expected);
}

TEST(RegLibSetup, WithoutWinRegStartsNothingButStillPauses) {
  SetupDouble setup;
  setup.Run();
  const std::vector<std::string> expected = {
      "exists C:\\Program Files\\Host\\WinReg.dll", "messages", "pause 5000"};
  EXPECT_EQ(setup.calls, expected);
}

TEST(RegLibSetup, AFailedStartShowsTheSystemsDescriptionAndSkipsThePause) {
  SetupDouble setup;
  setup.winRegPresent = true;
  setup.startError = "The system cannot find the file specified.";
  setup.Run();
  ASSERT_EQ(setup.calls.size(), 3u);
  EXPECT_EQ(setup.calls.back(), "box The system cannot find the file specified.");
}

}  // namespace
}  // namespace tesk
