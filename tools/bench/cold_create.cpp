// Cold creation of registered automation objects, as a host's CreateObject does it at start-up:
// CLSIDFromProgID and CoCreateInstance in a process that has loaded nothing of the object yet.
//   cold_create RUNS PROGID...   starts RUNS fresh processes per ProgID, interleaved so that a
//                                slow spell of the machine hits every object alike, and prints
//                                each ProgID's median and its ratio to each earlier one's;
//   cold_create PROGID           one creation in this process; its exit code is the time in
//                                microseconds (0 when the creation failed).
// In place of a ProgID, "pause:N" times Sleep(N) the same way: the yardstick for a creation
// that pauses by design, whose own cost is what it takes beyond that pause.

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/timing.h"

namespace {

DWORD PauseOnce(DWORD milliseconds) {
  const double start = tesk::tools::Now();
  Sleep(milliseconds);
  return static_cast<DWORD>((tesk::tools::Now() - start) * 1e6) + 1;
}

DWORD CreateOnce(const wchar_t* progId) {
  if (wcsncmp(progId, L"pause:", 6) == 0) return PauseOnce(static_cast<DWORD>(_wtoi(progId + 6)));
  if (FAILED(CoInitialize(nullptr))) return 0;
  const double start = tesk::tools::Now();
  CLSID clsid{};
  IUnknown* object = nullptr;
  const bool created =
      SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                 reinterpret_cast<void**>(&object)));
  const double elapsed = tesk::tools::Now() - start;
  if (object) object->Release();
  CoUninitialize();
  return created ? static_cast<DWORD>(elapsed * 1e6) + 1 : 0;
}

// One creation of `progId` in a child process of this program; its microseconds, 0 on failure.
DWORD CreateInChild(const std::wstring& self, const wchar_t* progId) {
  std::wstring commandLine = L"\"" + self + L"\" " + progId;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return 0;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD microseconds = 0;
  GetExitCodeProcess(process.hProcess, &microseconds);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return microseconds;
}

int Compare(int runs, int count, wchar_t** progIds) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  std::vector<std::vector<double>> samples(count);
  for (int run = 0; run < runs; ++run) {
    for (int i = 0; i < count; ++i) {
      const DWORD microseconds = CreateInChild(self, progIds[i]);
      if (microseconds == 0) {
        std::fwprintf(stderr, L"cannot create %ls\n", progIds[i]);
        return 1;
      }
      samples[i].push_back(microseconds / 1000.0);
    }
  }
  std::vector<double> medians;
  for (int i = 0; i < count; ++i) {
    medians.push_back(tesk::tools::Median(samples[i]));
    std::wprintf(L"cold creation of %-28ls median of %d: %6.1f ms", progIds[i], runs, medians[i]);
    for (int earlier = 0; earlier < i; ++earlier) {
      std::wprintf(L"%ls%.2fx %ls", earlier ? L", " : L" (", medians[i] / medians[earlier],
                   progIds[earlier]);
    }
    std::wprintf(i ? L")\n" : L"\n");
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2) return static_cast<int>(CreateOnce(argv[1]));
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: cold_create RUNS PROGID... | cold_create PROGID\n");
    return 2;
  }
  return Compare(_wtoi(argv[1]), argc - 2, argv + 2);
}
