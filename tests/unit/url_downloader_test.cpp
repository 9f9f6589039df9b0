#include "download/url_downloader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/download_events.h"
#include "doubles/scripted_transfer.h"

namespace tesk {
namespace {

using test::PumpingThread;
using test::ScriptedTransfer;

class Downloading : public ::testing::Test {
 protected:
  Downloading() { downloader.AddListener(log); }

  std::optional<bool> Download() {
    return downloader.StartTheStinkinDownLoad("http://127.0.0.1/file", "C:\\temp\\file");
  }

  ScriptedTransfer transfer;
  PumpingThread thread;
  UrlDownloader downloader{transfer, thread};
  test::DownloadEvents log;
};

TEST_F(Downloading, ReportsStartProgressWithAKnownTotalAndDone) {
  transfer.progress = {{0, 0}, {0, 300}, {150, 300}, {300, 300}, {400, 0x80000000u}};
  EXPECT_EQ(Download(), true);
  const std::vector<std::string> expected = {"start", "progress 0/300", "progress 150/300",
                                             "progress 300/300", "done"};
  EXPECT_EQ(log.lines, expected);
}

TEST_F(Downloading, AFailureIsACrashWithItsStatusTextPassedOnByReference) {
  test::DownloadEvents second;
  downloader.AddListener(second);
  transfer.status = static_cast<std::int32_t>(0x800C0005);
  EXPECT_EQ(Download(), false);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"start", "crash 0x800c0005 Resource Not Found."}));
  EXPECT_EQ(second.lines.back(), "crash 0x800c0005 changed by the first listener");
}

TEST_F(Downloading, KillDownloadFromAHandlerMarksTheFailureCancelled) {
  transfer.progress = {{10, 100}, {20, 100}};
  thread.pendingHandler = [this] {
    if (thread.pumps == 1) downloader.KillDownload();
  };
  transfer.status = static_cast<std::int32_t>(0x800C0007);
  EXPECT_EQ(Download(), false);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"start", "progress 10/100", "cancelled",
                                                  "progress 20/100",
                                                  "crash 0x800c0007 Data Not Available. cancelled"}));
}

// Past the size, or at the deadline, the transfer is abandoned as a failure; without limits
// nothing is too large or too late.
TEST_F(Downloading, LimitsAbandonTheTransferPastTheSizeOrAtTheDeadline) {
  struct Case {
    std::uint64_t bytes, milliseconds;
    const char* last;
  };
  const Case cases[] = {{100, 3999, "done"},
                        {101, 0, "crash 0x800c0008 Download Failure."},
                        {0, 4000, "crash 0x800c000b Connection Timeout."}};
  downloader.SetLimits({4000, 100});
  for (const Case& c : cases) {
    transfer.checks = {{0, 0}, {c.bytes, c.milliseconds}};
    EXPECT_EQ(Download(), std::string(c.last) == "done") << c.last;
    EXPECT_EQ(log.lines.back(), c.last);
  }
  downloader.SetLimits({});
  transfer.checks = {{~0ull, ~0ull}};
  EXPECT_EQ(Download(), true);
}

TEST_F(Downloading, ASecondStartDuringTheTransferGivesNothingAndStartsNothing) {
  transfer.progress = {{1, 2}};
  std::optional<bool> nested = true;
  thread.pendingHandler = [&] { nested = Download(); };
  EXPECT_EQ(Download(), true);
  EXPECT_EQ(nested, std::nullopt);
  EXPECT_EQ(Download(), true) << "one transfer after another is fine";
}

}  // namespace
}  // namespace tesk
