// UrlDownloader over the real URL-moniker service, against the update server on 127.0.0.1
// (scripts/update_server.py); and ShowReportABugPath through the registered DLL.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "doubles/download_events.h"
#include "win32/system/win32_shell.h"
#include "win32/system/win32_url_transfer.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

std::string NarrowServer() { return Narrow(Server()); }

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The events but the progress reports.
std::vector<std::string> WithoutProgress(std::vector<std::string> lines) {
  const auto isProgress = [](const std::string& line) { return line.rfind("progress ", 0) == 0; };
  lines.erase(std::remove_if(lines.begin(), lines.end(), isProgress), lines.end());
  return lines;
}

class Download : public ::testing::Test {
 protected:
  Download() { downloader.AddListener(events); }
  ~Download() override { DeleteFileW(file.c_str()); }

  std::optional<bool> Fetch(const std::string& url) {
    return downloader.StartTheStinkinDownLoad(url, Narrow(file));
  }

  win32::Win32UrlTransfer transfer;
  win32::Win32HostThread thread;
  UrlDownloader downloader{transfer, thread};
  test::DownloadEvents events;
  std::wstring file = TempFile(L"tesk-download.bin");
};

// Without a length there are no progress reports, but the host's messages still run; with one
// the reports count up to it.
TEST_F(Download, ProgressFollowsTheLengthTheServerGivesAndMessagesRun) {
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  EXPECT_EQ(Fetch(NarrowServer() + "/stream/2000000"), true);
  EXPECT_EQ(events.lines, (std::vector<std::string>{"start", "done"}));
  MSG left;
  EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "the message ran";
  EXPECT_EQ(FileBytes(file).size(), 2000000u);

  events.lines.clear();
  EXPECT_EQ(Fetch(NarrowServer() + "/bytes/3000000"), true);
  ASSERT_GT(events.lines.size(), 2u);
  EXPECT_EQ(events.lines[events.lines.size() - 2], "progress 3000000/3000000");
  EXPECT_EQ(WithoutProgress(events.lines), (std::vector<std::string>{"start", "done"}));
  EXPECT_EQ(FileBytes(file).size(), 3000000u);
}

// Where the size limit lies is the native test's; that a transfer past it leaves nothing,
// the misbehaving servers'.
TEST_F(Download, FailuresAreCrashesWithTheirStatusText) {
  // The server's 404 is the URL moniker's INET_E_RESOURCE_NOT_FOUND.
  EXPECT_EQ(Fetch(NarrowServer() + "/missing"), false);
  EXPECT_EQ(events.lines,
            (std::vector<std::string>{"start", "crash 0x800c0005 Resource Not Found."}));

  events.lines.clear();
  EXPECT_EQ(Fetch("http://127.0.0.1:1/refused"), false) << "nothing listens on port 1";
  EXPECT_EQ(events.lines.back().rfind("crash ", 0), 0u);
}

// A second start from the handler, and the events of a kill, are pinned natively; here the
// real transfer is stopped from inside its own progress report.
TEST_F(Download, KillDownloadFromAProgressHandler) {
  events.onProgress = [&] {
    if (events.lines.size() == 2) downloader.KillDownload();  // at the first report
  };
  EXPECT_EQ(Fetch(NarrowServer() + "/bytes/3000000"), true);
  EXPECT_EQ(WithoutProgress(events.lines), (std::vector<std::string>{"start", "cancelled", "done"}))
      << "a killed transfer that completes anyway is done";
  EXPECT_EQ(Fetch(NarrowServer() + "/bytes/10"), true) << "and the downloader is idle again";
}

// ShowReportABugPath through the DLL, with the update server set per user in the registry.
class ReportABugPath : public ::testing::Test {
 protected:
  // The address through the DLL, with `page` of the update server (or of `server`) as the
  // report's page.
  std::wstring Fetch(const std::wstring& page, const std::wstring& origin = Server()) {
    settings.Set(L"UpdateServer", origin + page);
    auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
    Bstr address;
    EXPECT_EQ(info->ShowReportABugPath(address.put()), S_OK);
    return address.str();
  }

  const std::wstring localCopy = TempFile(L"ReportAbug.Zip");
  UpdateServerSetting settings{Server()};
};

// The empty first line, the missing TEMP variable and the failed deletion are pinned by the
// native ReportABugAddress tests; here the download, the file and its deletion are real, and so
// is a "temp" with a trailing "\\" (which still works) or of 300 characters (empty text).
TEST_F(ReportABugPath, IsTheFirstLineAndAFailedDownloadReadsAStaleCopyAndLeavesNothing) {
  std::ofstream(localCopy.c_str()) << "https://stale.example/\r\nold\r\n";
  EXPECT_EQ(Fetch(L"/multi"), L"https://bugs.tesklumora.com/report?product=42")
      << "a good download overwrites the stale copy";
  EXPECT_FALSE(Exists(localCopy));
  std::ofstream(localCopy.c_str()) << "https://stale.example/\r\nold\r\n";
  EXPECT_EQ(Fetch(L"/missing"), L"https://stale.example/");
  EXPECT_FALSE(Exists(localCopy));

  wchar_t saved[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TEMP", saved, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);  // with its trailing separator
  SetEnvironmentVariableW(L"TEMP", temp);
  EXPECT_EQ(Fetch(L"/multi"), L"https://bugs.tesklumora.com/report?product=42");
  SetEnvironmentVariableW(L"TEMP", (std::wstring(temp) + std::wstring(300, L'x')).c_str());
  EXPECT_EQ(Fetch(L"/multi"), L"");
  SetEnvironmentVariableW(L"TEMP", saved);
  EXPECT_FALSE(Exists(localCopy));
}

// A host's window that counts its paintings.
std::atomic<int> hostPaints{0};
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  ++hostPaints;
  return 0;
}

// Watches a call from another thread, as a user would see it: the host's window invalidated
// every 20 ms, the largest file of the download in TEMP, and every other visible window of the
// process (a dialog), counted and closed.
class CallWatch {
 public:
  explicit CallWatch(HWND host) : host_(host), watcher_([this] { Watch(); }) {}
  ~CallWatch() { Stop(); }
  void Stop() {
    SetEvent(stopped_.get());
    if (watcher_.joinable()) watcher_.join();
  }

  std::atomic<int> dialogs{0};
  std::atomic<LONGLONG> largestFile{0};

 private:
  // A sample every 20 ms until the call is over, and none after.
  void Watch() {
    do {
      InvalidateRect(host_, nullptr, FALSE);
      EnumWindows(CloseDialog, reinterpret_cast<LPARAM>(this));
      for (const wchar_t* name : {L"ReportAbug.Zip", L"ReportAbug.Zip.part"}) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExW(TempFile(name).c_str(), GetFileExInfoStandard, &data)) {
          largestFile = std::max<LONGLONG>(largestFile, data.nFileSizeLow);
        }
      }
    } while (WaitForSingleObject(stopped_.get(), 20) == WAIT_TIMEOUT);
  }
  static BOOL CALLBACK CloseDialog(HWND window, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    auto& watch = *reinterpret_cast<CallWatch*>(self);
    if (process == GetCurrentProcessId() && window != watch.host_ && IsWindowVisible(window)) {
      ++watch.dialogs;
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
  }

  HWND host_;
  // Made before the thread starts.
  win32::UniqueHandle stopped_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::thread watcher_;
};

// Servers that would hold a host for minutes, and one whose certificate does not validate: each
// call ends within the deadline (4 s here) with empty text, no dialog, no file left behind and
// at most a mebibyte on the disk; while it waits the host's window is painted.
TEST_F(ReportABugPath, MisbehavingServersEndWithinTheDeadlineWithoutADialog) {
  settings.Set(L"DownloadSeconds", L"4");
  const WNDCLASSW paintCounter{0, CountPaints, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                               L"PaintCounter"};
  RegisterClassW(&paintCounter);
  const HWND host = CreateWindowExW(0, L"PaintCounter", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  const struct {
    const wchar_t* page;
    bool https, waitsForTheDeadline;
  } cases[] = {{L"/silent", false, true}, {L"/trickle", false, true}, {L"/endless", false, false},
               {L"/loop", false, false}, {L"/multi", true, false}};
  for (const auto& c : cases) {
    CallWatch watch(host);
    const int paintsBefore = hostPaints;
    const ULONGLONG begun = GetTickCount64();
    EXPECT_EQ(Fetch(c.page, Server(c.https)), L"") << c.page;
    const double took = (GetTickCount64() - begun) / 1000.0;
    watch.Stop();
    const int paints = hostPaints - paintsBefore;
    std::printf("%ls%ls: %.1f s (deadline 4 s), %d paintings, largest file %lld bytes\n",
                Server(c.https).c_str(), c.page, took, paints, watch.largestFile.load());
    EXPECT_LT(took, 40) << c.page;
    EXPECT_TRUE(paints > 1 || !c.waitsForTheDeadline) << c.page << ": the host was not painted";
    EXPECT_EQ(watch.dialogs, 0) << c.page;
    EXPECT_LE(watch.largestFile, 1 << 20) << c.page;
    for (const std::wstring& name : FilesIn(TempFile(L""))) {
      EXPECT_NE(name.rfind(L"ReportAbug", 0), 0u) << c.page;
    }
  }
  DestroyWindow(host);
}

}  // namespace
}  // namespace tesk::wine_test
