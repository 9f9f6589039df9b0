// The demo: a host application that uses TeskLumoraLib the way the maker's products do.
// It finds the registered classes by ProgID and prints what each call did. To show the
// download's events, which hosts never see, it also runs the library's downloader itself.

#include <windows.h>
#include <oleauto.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "TeskLumoraLib.h"
#include "button_lab.h"
#include "window_tour.h"
#include "download/url_downloader.h"
#include "interface/implementation_settings.h"
#include "win32/system/win32_machine.h"
#include "win32/system/win32_registry.h"
#include "win32/system/win32_shell.h"
#include "win32/system/win32_url_transfer.h"

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kDemoKey[] = L"Software\\TeskLumoraLibDemo";
const wchar_t kServer[] = L"mysqld-opt.exe";

template <typename Interface>
ComPtr<Interface> Create(const wchar_t* progId) {
  CLSID clsid{};
  ComPtr<Interface> object;
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                          reinterpret_cast<void**>(object.GetAddressOf()));
  }
  if (FAILED(hr)) std::wprintf(L"  cannot create %ls: %#lx\n", progId, hr);
  return object;
}

std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : L""; }

void ShowRegistryRoundTrip(_clsNewRegLib* regLib) {
  // The library writes only to keys that exist, so the demo makes its own.
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kDemoKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegCloseKey(key);

  BSTR path = SysAllocString(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibDemo");
  BSTR name = SysAllocString(L"Greeting");
  BSTR value = SysAllocString(L"Hello from TeskLumoraLib");
  VARIANT none;
  std::wprintf(L"  SetRegKeyValue(\"%ls\", \"%ls\", \"%ls\")\n", path, name, value);
  regLib->SetRegKeyValue(&path, &name, &value, &none);
  std::wprintf(L"    the host's path variable now holds \"%ls\"\n", Text(path).c_str());

  SysFreeString(path);
  path = SysAllocString(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibDemo");
  BSTR read = nullptr;
  regLib->GetRegKeyValue(&path, &name, &read);
  std::wprintf(L"  GetRegKeyValue(\"HKEY_CURRENT_USER\\Software\\TeskLumoraLibDemo\", \"%ls\") = \"%ls\"\n",
               name, Text(read).c_str());

  SysFreeString(path);
  path = SysAllocString(L"hkey_current_user\\Software\\TeskLumoraLibDemo");
  SysFreeString(read);
  read = nullptr;
  regLib->GetRegKeyValue(&path, &name, &read);
  std::wprintf(L"  GetRegKeyValue(\"%ls\", ...) = \"%ls\" (root names are case-sensitive)\n",
               Text(path).c_str(), Text(read).c_str());

  for (BSTR text : {path, name, value, read}) SysFreeString(text);
  RegDeleteTreeW(HKEY_CURRENT_USER, kDemoKey);
}

void ShowProductName(_ClsInfo* info) {
  ComPtr<IDispatch> dispatch;
  info->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.GetAddressOf()));
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetProductName")};
  DISPID id = 0;
  dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  BSTR symbol = SysAllocString(L"VARN");
  VARIANT argument;
  V_VT(&argument) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&argument) = &symbol;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  const HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                      nullptr, nullptr);
  std::wprintf(L"  late-bound SetProductName(\"VARN\") through dispatch id %#lx: %#lx\n", id, hr);
  SysFreeString(symbol);
}

int CountServerProcesses() {
  int count = 0;
  tesk::win32::Win32ProcessList().ForEachExecutable([&count](const std::string& executable) {
    if (lstrcmpiA(executable.c_str(), "mysqld-opt.exe") == 0) ++count;
    return true;
  });
  return count;
}

void StopServers() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, kServer) != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
    TerminateProcess(process, 0);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

void CallSetSql(_ClsInfo* info) {
  VARIANT_BOOL start = VARIANT_TRUE;
  VARIANT_BOOL result = VARIANT_TRUE;
  info->SetSql(&start, &result);
  // The server is started, not waited for: give it a moment to appear in the process list.
  for (int waited = 0; waited < 3000 && CountServerProcesses() == 0; waited += 100) Sleep(100);
  std::wprintf(L"  SetSql returned %ls; %ls processes running: %d\n",
               result ? L"true" : L"false", kServer, CountServerProcesses());
}

// M: holds a MySQL installation whose server is the stand-in program (see scripts/demo.sh).
void ShowDatabaseServerStart(_ClsInfo* info) {
  CallSetSql(info);
  CallSetSql(info);
  std::wprintf(L"  starts the stand-in server noted in M:\\mysql\\bin\\started.log:\n");
  if (FILE* log = _wfopen(L"M:\\mysql\\bin\\started.log", L"r")) {
    wchar_t line[512];
    while (std::fgetws(line, 512, log)) std::wprintf(L"    %ls", line);
    std::fclose(log);
  }
  StopServers();
}

}  // namespace

// Prints the downloader's events as they come.
class PrintedEvents : public tesk::DownloadListener {
 public:
  void DownloadStart() override { std::wprintf(L"    DownloadStart\n"); }
  void DownloadProg(std::int32_t soFar, std::int32_t total) override {
    std::wprintf(L"    DownloadProg %d of %d bytes\n", soFar, total);
  }
  void DownloadDone() override { std::wprintf(L"    DownloadDone\n"); }
  void DownloadCrash(std::int32_t status, std::string& text, bool& cancelled) override {
    std::wprintf(L"    DownloadCrash %#x \"%hs\"%ls\n", static_cast<unsigned>(status), text.c_str(),
                 cancelled ? L" (cancelled)" : L"");
  }
};

// The update server is set for the demo's user (see scripts/demo.sh); the transfer that
// ShowReportABugPath makes is shown first with its events, then the operation itself.
void ShowReportABugAddress(_ClsInfo* info) {
  tesk::win32::Win32Registry registry;
  const std::string url = tesk::UpdateServer(registry) + "/downloads/ReportAbug.Zip";
  tesk::win32::Win32UrlTransfer transfer;
  tesk::win32::Win32HostThread thread;
  tesk::UrlDownloader downloader(transfer, thread);
  PrintedEvents events;
  downloader.AddListener(events);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"demo-ReportAbug.Zip";
  std::wprintf(L"  StartTheStinkinDownLoad(\"%hs\")\n", url.c_str());
  const auto result = downloader.StartTheStinkinDownLoad(url, std::string(file.begin(), file.end()));
  std::wprintf(L"    returned %ls\n", result && *result ? L"true" : L"false");
  DeleteFileW(file.c_str());

  BSTR address = nullptr;
  info->ShowReportABugPath(&address);
  std::wprintf(L"  ShowReportABugPath() = \"%ls\"\n", Text(address).c_str());
  SysFreeString(address);
}

int wmain(int argc, wchar_t** argv) {
  CoInitialize(nullptr);
  std::wprintf(L"TeskLumoraLib demo host\n\nClsInfo\n");
  if (auto info = Create<_ClsInfo>(L"TeskLumoraLib.ClsInfo")) {
    ShowProductName(info.Get());
    std::wprintf(L"\nSetSql (make sure the local MySQL server runs)\n");
    ShowDatabaseServerStart(info.Get());
    std::wprintf(L"\nShowReportABugPath (the bug-report address from the update server)\n");
    ShowReportABugAddress(info.Get());
  }
  const std::string screenshots =
      argc > 1 ? std::string(argv[1], argv[1] + std::wcslen(argv[1])) : std::string();
  const char* folder = screenshots.empty() ? nullptr : screenshots.c_str();
  if (auto info = Create<_ClsInfo>(L"TeskLumoraLib.ClsInfo")) {
    std::wprintf(L"\nThe standard windows (each closed by the demo after a moment)\n");
    std::fflush(stdout);
    tesk::demo::RunWindowTour(info.Get(), folder);
  }
  std::wprintf(L"\nButton lab (every style of the cmd button as a live control)\n");
  std::fflush(stdout);
  const std::string lab = screenshots + "\\button-lab.bmp";
  tesk::demo::RunButtonLab(folder ? lab.c_str() : nullptr);
  std::fflush(stdout);
  std::wprintf(L"\nclsNewRegLib (creating it registers WinReg.dll when present, then waits 5 s)\n");
  const DWORD start = GetTickCount();
  if (auto regLib = Create<_clsNewRegLib>(L"TeskLumoraLib.clsNewRegLib")) {
    std::wprintf(L"  created in %lu ms\n", GetTickCount() - start);
    ShowRegistryRoundTrip(regLib.Get());
  }
  CoUninitialize();
  return 0;
}
