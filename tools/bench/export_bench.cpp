// Timing tool for the shortcut keys' export under Wine: 32,767 shortcuts written as the Export
// button writes them (the workbook, then the compound document beside the target, moved over
// it), the median of several exports; and the process's peak working set during the first
// export against the file's size. The rows are those tools/bench/xlwt_peer.py writes, so that
// bench.sh can set the time beside xlwt's.
// usage: export_bench <output.xls>

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/timing.h"
#include "win32/system/text_encoding.h"
#include "win32/system/win32_compound_documents.h"
#include "windows/shortcut_export.h"

namespace {

constexpr int kRows = 32767;

tesk::windows::ShortcutTable PeerTable() {
  const char* const modifiers[] = {"Ctrl+", "Shift+", "Alt+", "Ctrl+Shift+", "Ctrl+Alt+"};
  std::vector<std::string> keys;
  for (char key = 'A'; key <= 'Z'; ++key) keys.emplace_back(1, key);
  for (int f = 1; f <= 12; ++f) keys.push_back("F" + std::to_string(f));
  tesk::windows::ShortcutTable table;
  for (int i = 0; i < kRows; ++i) {
    table.push_back({"Menu " + std::to_string(i / 8 + 1), "Command " + std::to_string(i + 1),
                     modifiers[i % 5] + keys[(i / 5) % keys.size()]});
  }
  return table;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: export_bench <output.xls>\n");
    return 2;
  }
  const std::string path = tesk::win32::Utf8FromWide(argv[1], wcslen(argv[1]));
  const tesk::windows::ShortcutGrid grid(PeerTable());
  tesk::win32::Win32CompoundDocuments documents;

  const PROCESS_MEMORY_COUNTERS before = Memory();
  tesk::windows::ExportShortcutWorkbook(grid, path, documents);
  const PROCESS_MEMORY_COUNTERS after = Memory();
  WIN32_FILE_ATTRIBUTE_DATA file{};
  GetFileAttributesExW(argv[1], GetFileExInfoStandard, &file);
  const double peak = static_cast<double>(after.PeakWorkingSetSize - before.WorkingSetSize);
  std::printf("export of %d shortcuts: peak working set %.1f MB above the %.1f MB before, the "
              "file %.1f MB (%.2f of the file's size)\n",
              kRows, peak / 1e6, before.WorkingSetSize / 1e6, file.nFileSizeLow / 1e6,
              peak / file.nFileSizeLow);

  std::vector<double> times;
  for (int run = 0; run < 9; ++run) {
    const double start = tesk::tools::Now();
    tesk::windows::ExportShortcutWorkbook(grid, path, documents);
    times.push_back(tesk::tools::Now() - start);
  }
  std::printf("export seconds: %.6f\n", tesk::tools::Median(times));
  return 0;
}
