// Settings files as a hostile disk may hold them, read through the real file system: a file
// of 200 MB with a line of 100 MB in it is read as a stream, in memory that does not grow with
// the file; paths at and beyond MAX_PATH are read or missing, never overrun.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "platform/platform_error.h"
#include "win32/system/win32_compound_documents.h"
#include "win32/system/win32_shell.h"
#include "win32/ui/form_pictures.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

constexpr size_t kMegabyte = 1 << 20;

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

// 50 MB of short lines, a line of 100 MB, 50 MB of short lines, and the key at the end.
void WriteHugeSettingsFile(const std::wstring& path) {
  std::string lines;
  while (lines.size() < kMegabyte) lines += "SomeKey=some value of a settings line\r\n";
  const std::string longLine(kMegabyte, 'x');
  std::ofstream file(path.c_str(), std::ios::binary);
  for (int megabytes = 0; megabytes < 200; ++megabytes) {
    file << (megabytes < 50 || megabytes >= 150 ? lines : longLine);
  }
  file << "\r\nVendorContactInfo=555-0199";
  ASSERT_TRUE(file.good());
}

TEST(HostileFiles, AHugeSettingsFileIsReadAsAStreamInBoundedMemory) {
  const std::wstring path = TempFile(L"tesk-huge-varn.dat");
  WriteHugeSettingsFile(path);

  win32::Win32FileSystem files;
  const SIZE_T before = Memory().WorkingSetSize;
  size_t lines = 0, longest = 0;
  std::string last;
  EXPECT_TRUE(files.ReadLines(Narrow(path), [&](const std::string& line) {
    ++lines;
    longest = std::max(longest, line.size());
    last = line;
    return true;
  }));
  const SIZE_T peak = Memory().PeakWorkingSetSize;
  DeleteFileW(path.c_str());

  EXPECT_EQ(last, "VendorContactInfo=555-0199");
  EXPECT_EQ(longest, platform::FileSystem::kMaxLineBytes) << "the 100 MB line is cut";
  const double growth = peak > before ? static_cast<double>(peak - before) / kMegabyte : 0;
  std::printf("200 MB settings file, %zu lines: peak working set %.1f MB above the %.1f MB before\n",
              lines, growth, static_cast<double>(before) / kMegabyte);
  EXPECT_LT(growth, 16.0) << "memory grew with the file";
}

// Folders made through the long-path prefix, as another program may make them.
class LongFolder {
 public:
  explicit LongFolder(size_t length) : path_(TempFile(L"tesk-long")) {
    while (path_.size() < length) path_ += L"\\nested-folder";
    path_.resize(length);
    for (size_t at = path_.find(L'\\', 3); at != std::wstring::npos; at = path_.find(L'\\', at + 1)) {
      CreateDirectoryW(Long(path_.substr(0, at)).c_str(), nullptr);
    }
    CreateDirectoryW(Long(path_).c_str(), nullptr);
  }
  ~LongFolder() {
    const size_t temp = TempFile(L"").size();
    for (size_t at = path_.size(); at > temp; at = path_.rfind(L'\\', at - 1)) {
      RemoveDirectoryW(Long(path_.substr(0, at)).c_str());
    }
  }
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;

  static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }
  // A file in the folder whose whole path has this length.
  std::wstring FileOfLength(size_t length) const {
    return path_ + L"\\" + std::wstring(length - path_.size() - 5, L'v') + L".dat";
  }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Settings files and pictures whose paths run from the longest the system reads to beyond it
// are read or missing; a workbook saved into a folder too long for a temporary file's name is
// written whole or refused.
TEST(HostileFiles, PathsAtAndBeyondMaxPathAreReadOrMissingNeverOverrun) {
  const LongFolder folder(MAX_PATH - 20);
  win32::Win32FileSystem files;
  for (const size_t length : {size_t{MAX_PATH - 1}, size_t{300}}) {
    const std::wstring path = folder.FileOfLength(length);
    std::ofstream(LongFolder::Long(path).c_str(), std::ios::binary) << "Key=value\r\n";
    ASSERT_NE(GetFileAttributesW(LongFolder::Long(path).c_str()), INVALID_FILE_ATTRIBUTES)
        << length;

    const bool readable = length < MAX_PATH;
    const std::string utf8 = Narrow(path);
    EXPECT_EQ(files.FileExists(utf8), readable) << length;
    EXPECT_EQ(files.ReadFirstLine(utf8),
              readable ? std::optional<std::string>("Key=value") : std::nullopt)
        << length;
    EXPECT_EQ(files.ReadLines(utf8, [](const std::string&) { return true; }), readable);
    EXPECT_EQ(win32::PictureFromFile(utf8), nullptr) << "not a picture";
    EXPECT_EQ(win32::IconsFromFile(utf8, 96).large.get(), nullptr) << "not an icon";
    DeleteFileW(LongFolder::Long(path).c_str());
  }

  // Windows refuses a temporary file's name this long; Wine writes it.
  const LongFolder deeper(MAX_PATH + 20);
  const std::wstring book = deeper.path() + L"\\book.xls";
  try {
    win32::Win32CompoundDocuments().WriteSingleStream(Narrow(book), "Workbook", {1, 2, 3});
    EXPECT_EQ(StgIsStorageFile(LongFolder::Long(book).c_str()), S_OK);
    DeleteFileW(LongFolder::Long(book).c_str());
  } catch (const platform::PlatformError&) {
    EXPECT_EQ(GetFileAttributesW(LongFolder::Long(book).c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace
}  // namespace tesk::wine_test
