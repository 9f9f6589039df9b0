// Settings files as a hostile disk may hold them, read through the real file system: a file
// of 200 MB with a line of 100 MB in it is read as a stream, in memory that does not grow with
// the file.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/win32/system/win32_shell.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

constexpr size_t kMegabyte = 1 << 20;

SIZE_T PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// 50 MB of short lines, a line of 100 MB, 50 MB of short lines, and the key at the end.
void WriteHugeSettingsFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::string lines;
  while (lines.size() < kMegabyte) lines += "SomeKey=some value of a settings line\r\n";
  const std::string longLine(kMegabyte, 'x');
  DWORD written = 0;
  const auto put = [&](const std::string& text, int times) {
    for (int i = 0; i < times; ++i) {
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  };
  put(lines, 50);
  put(longLine, 100);
  put(lines, 50);
  put("\r\nVendorContactInfo=555-0199", 1);
  CloseHandle(file);
}

TEST(HostileFiles, AHugeSettingsFileIsReadAsAStreamInBoundedMemory) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"tesk-huge-varn.dat";
  WriteHugeSettingsFile(path);
  const std::string utf8(path.begin(), path.end());

  win32::Win32FileSystem files;
  const SIZE_T before = WorkingSet();
  size_t lines = 0, longest = 0;
  std::string last;
  EXPECT_TRUE(files.ReadLines(utf8, [&](const std::string& line) {
    ++lines;
    longest = std::max(longest, line.size());
    last = line;
    return true;
  }));
  const SIZE_T peak = PeakWorkingSet();
  DeleteFileW(path.c_str());

  EXPECT_EQ(last, "VendorContactInfo=555-0199");
  EXPECT_EQ(longest, platform::FileSystem::kMaxLineBytes) << "the 100 MB line is cut";
  const double growth = peak > before ? static_cast<double>(peak - before) / kMegabyte : 0;
  std::printf("200 MB settings file, %zu lines: peak working set %.1f MB above the %.1f MB before\n",
              lines, growth, static_cast<double>(before) / kMegabyte);
  EXPECT_LT(growth, 16.0) << "memory grew with the file";
}

}  // namespace
}  // namespace tesk::wine_test
