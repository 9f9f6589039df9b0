// UrlDownloader over the real URL-moniker service, against the update server on 127.0.0.1
// (scripts/update_server.py); and ShowReportABugPath through the registered DLL.

#include <algorithm>
#include <fstream>

#include "doubles/download_events.h"
#include "win32/system/win32_shell.h"
#include "win32/system/win32_url_transfer.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

std::string NarrowServer() {
  const std::wstring server = Server();
  return std::string(server.begin(), server.end());
}

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
    return downloader.StartTheStinkinDownLoad(url, std::string(file.begin(), file.end()));
  }
  LONGLONG FileSize() const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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
  EXPECT_EQ(FileSize(), 2000000);

  events.lines.clear();
  EXPECT_EQ(Fetch(NarrowServer() + "/bytes/3000000"), true);
  ASSERT_GT(events.lines.size(), 2u);
  EXPECT_EQ(events.lines[events.lines.size() - 2], "progress 3000000/3000000");
  EXPECT_EQ(WithoutProgress(events.lines), (std::vector<std::string>{"start", "done"}));
  EXPECT_EQ(FileSize(), 3000000);
}

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
  ~ReportABugPath() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TeskLumoraLib"); }

  // The address through the DLL, with `page` of the update server as the report's page.
  std::wstring Fetch(const std::wstring& page) {
    const std::wstring server = Server() + page;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TeskLumoraLib", L"UpdateServer", REG_SZ,
                    server.c_str(), static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
    auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
    Bstr address;
    EXPECT_EQ(info->ShowReportABugPath(address.put()), S_OK);
    return address.str();
  }

  const std::wstring localCopy = TempFile(L"ReportAbug.Zip");
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

}  // namespace
}  // namespace tesk::wine_test
