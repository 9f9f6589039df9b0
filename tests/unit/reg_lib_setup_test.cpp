#include "interface/reg_lib_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/memory_files.h"
#include "doubles/recording_shell.h"

namespace tesk {
namespace {

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
    test::RecordingShell recorder;
    recorder.startError = c.startError;
    RunRegLibSetup({files, files, recorder, recorder, recorder});
    EXPECT_EQ(recorder.calls, c.calls) << c.winRegPresent << " " << c.startError;
  }
}

}  // namespace
}  // namespace tesk
