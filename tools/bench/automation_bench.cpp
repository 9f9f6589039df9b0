// Timing tool for the automation server, run under Wine by `make bench`:
//   - LoadLibrary of the DLL to a created ClsInfo (the DLL unloaded again between runs);
//   - a late-bound SetProductName (GetIDsOfNames once, then Invoke) against the same call
//     through the virtual table;
//   - SetSql while a server runs (a stand-in program named mysqld.exe): the process snapshot;
//   - a 64 MiB download from the update server on 127.0.0.1 through StartTheStinkinDownLoad,
//     and one ShowReportABugPath against the same server.
// Each figure is the median of many samples in one run.

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <cstring>
#include <vector>

#include "TeskLumoraLib.h"
#include "common/module_objects.h"
#include "common/timing.h"
#include "download/url_downloader.h"
#include "win32/system/win32_machine.h"
#include "win32/system/win32_shell.h"
#include "win32/system/win32_url_transfer.h"

using Microsoft::WRL::ComPtr;
using tesk::tools::CreateClsInfo;
using tesk::tools::Median;
using tesk::tools::Now;

namespace {

// Microseconds from LoadLibrary to a ClsInfo in hand.
double LoadToCreated(const wchar_t* dll) {
  const double start = Now();
  HMODULE module = LoadLibraryW(dll);
  ComPtr<_ClsInfo> info = CreateClsInfo(module);
  const double elapsed = Now() - start;
  info.Reset();
  FreeLibrary(module);
  return elapsed * 1e6;
}

// Nanoseconds per call: the median over batches of `calls`.
template <typename Call>
double NanosecondsPerCall(Call&& call, int batches, int calls) {
  return tesk::tools::MedianMicroseconds(batches, calls, call) * 1000;
}

int ProcessCount() {
  int count = 0;
  tesk::win32::Win32ProcessList().ForEachExecutable([&count](const std::string&) {
    ++count;
    return true;
  });
  return count;
}

// SetSql with a server already running: only the drive walk and the process snapshot.
void MeasureSetSql(_ClsInfo* info, const wchar_t* standIn) {
  wchar_t server[MAX_PATH];
  GetTempPathW(MAX_PATH, server);
  wcscat(server, L"mysqld.exe");
  CopyFileW(standIn, server, FALSE);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(server, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fwprintf(stderr, L"cannot start the stand-in server\n");
    return;
  }
  VARIANT_BOOL start = VARIANT_FALSE;
  VARIANT_BOOL result = VARIANT_FALSE;
  const double perCall = NanosecondsPerCall([&] { info->SetSql(&start, &result); }, 51, 20);
  std::wprintf(L"SetSql while a server runs: median %.0f us per call, %d processes running\n",
               perCall / 1000, ProcessCount());
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  DeleteFileW(server);
}

// Seconds for one download of `url` through the library's downloader, into a temporary file.
void MeasureDownload(const std::string& url) {
  tesk::win32::Win32UrlTransfer transfer;
  tesk::win32::Win32HostThread thread;
  tesk::UrlDownloader downloader(transfer, thread);
  wchar_t file[MAX_PATH];
  GetTempPathW(MAX_PATH, file);
  wcscat(file, L"bench-download.bin");
  const std::wstring path = file;
  const double start = Now();
  const auto done = downloader.StartTheStinkinDownLoad(url, std::string(path.begin(), path.end()));
  const double seconds = Now() - start;
  DeleteFileW(file);
  std::wprintf(L"download seconds: %.3f (%ls)\n", seconds, done && *done ? L"ok" : L"FAILED");
}

void MeasureReportABugPath(_ClsInfo* info) {
  const double micro = tesk::tools::MedianMicroseconds(21, 1, [&] {
    BSTR address = nullptr;
    info->ShowReportABugPath(&address);
    SysFreeString(address);
  });
  std::wprintf(L"ShowReportABugPath against the local server: median %.1f ms\n", micro / 1000);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: automation_bench <TeskLumoraLib.dll> <stand_in_program.exe> "
                          L"<URL of a 64 MiB file>\n");
    return 2;
  }
  CoInitialize(nullptr);
  LoadToCreated(argv[1]);  // first load warms the file cache and oleaut32
  std::vector<double> loads;
  for (int i = 0; i < 50; ++i) loads.push_back(LoadToCreated(argv[1]));
  std::wprintf(L"LoadLibrary to a created ClsInfo: median %.1f us over %zu runs\n", Median(loads),
               loads.size());

  HMODULE module = LoadLibraryW(argv[1]);
  ComPtr<_ClsInfo> info = CreateClsInfo(module);
  if (!info) {
    std::fwprintf(stderr, L"cannot create ClsInfo from %ls\n", argv[1]);
    return 1;
  }

  BSTR symbol = SysAllocString(L"VARN");
  const double vtable = NanosecondsPerCall([&] { info->SetProductName(&symbol); }, 101, 20000);

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetProductName")};
  DISPID id = 0;
  info->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  VARIANT argument;
  V_VT(&argument) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&argument) = &symbol;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  const double lateBound = NanosecondsPerCall(
      [&] { info->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr); },
      101, 2000);
  std::wprintf(L"SetProductName through the virtual table: median %.0f ns per call\n", vtable);
  std::wprintf(L"SetProductName late bound (Invoke): median %.0f ns per call (%.1fx)\n", lateBound,
               lateBound / vtable);

  SysFreeString(symbol);
  MeasureSetSql(info.Get(), argv[2]);
  MeasureReportABugPath(info.Get());
  const std::wstring url = argv[3];
  MeasureDownload(std::string(url.begin(), url.end()));
  info.Reset();
  FreeLibrary(module);
  CoUninitialize();
  return 0;
}
