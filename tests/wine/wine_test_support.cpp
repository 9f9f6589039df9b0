#include "wine_test_support.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace tesk::wine_test {
namespace {

std::wstring dllPath;
std::wstring standInPath;
ComPtr<_clsNewRegLib> sharedRegLib;

}  // namespace

const std::wstring& DllPath() { return dllPath; }

void InstallStandIn(const std::wstring& path) {
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  EXPECT_TRUE(CopyFileW(standInPath.c_str(), path.c_str(), FALSE)) << "to " << Narrow(path);
}

StandInFolder::StandInFolder(std::wstring folder, std::wstring program)
    : folder_(std::move(folder)), program_(std::move(program)) {
  InstallStandIn(folder_ + L"\\" + program_);
}

StandInFolder::~StandInFolder() {
  TerminateProcesses(program_);
  for (const std::wstring& file : {program_, std::wstring(L"started.log")}) {
    DeleteFileW((folder_ + L"\\" + file).c_str());
  }
  RemoveDirectoryW(folder_.c_str());
}

bool WaitUntil(const std::function<bool()>& state, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!state()) {
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(20);
  }
  return true;
}

std::vector<std::string> StartLog(const std::wstring& folder, DWORD milliseconds) {
  const std::wstring path = folder + L"\\started.log";
  WaitUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
            milliseconds);
  std::vector<std::string> lines;
  std::ifstream log(path.c_str());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

template <typename Visit>
void ForEachProcessNamed(const std::wstring& executable, Visit&& visit) {
  const win32::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, executable.c_str()) == 0) visit(entry.th32ProcessID);
  }
}

int CountProcesses(const std::wstring& executable) {
  int count = 0;
  ForEachProcessNamed(executable, [&count](DWORD) { ++count; });
  return count;
}

void TerminateProcesses(const std::wstring& executable) {
  ForEachProcessNamed(executable, [](DWORD id) {
    const win32::UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process) return;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
  });
}

_clsNewRegLib* SharedRegLib() {
  if (!sharedRegLib) sharedRegLib = CreateByProgId<_clsNewRegLib>(L"TeskLumoraLib.clsNewRegLib");
  return sharedRegLib.Get();
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args,
                   VARIANT* result, EXCEPINFO* exception) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  Exception ignored;
  UINT argumentError = 0;
  return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result,
                        exception ? exception : &ignored, &argumentError);
}

Exception::~Exception() {
  SysFreeString(bstrSource);
  SysFreeString(bstrDescription);
  SysFreeString(bstrHelpFile);
}

CLSID ClsidOf(const wchar_t* progId) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  EXPECT_EQ(hr, S_OK) << "CLSIDFromProgID: " << Hr(hr);
  return clsid;
}

VARIANT Text(BSTR text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = text;
  return v;
}

VARIANT TextRef(BSTR* text) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&v) = text;
  return v;
}

SAFEARRAY* TextTable(const std::vector<std::vector<std::wstring>>& rows, LONG firstRow,
                     LONG firstColumn) {
  SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows.size()), firstRow},
                              {static_cast<ULONG>(rows.empty() ? 0 : rows[0].size()), firstColumn}};
  SAFEARRAY* table = SafeArrayCreate(VT_BSTR, 2, bounds);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      LONG at[2] = {firstRow + static_cast<LONG>(r), firstColumn + static_cast<LONG>(c)};
      const Bstr cell(rows[r][c]);
      SafeArrayPutElement(table, at, cell.get());  // puts a copy
    }
  }
  return table;
}

std::wstring ErrorDescription() {
  ComPtr<IErrorInfo> error;
  Bstr description;
  if (GetErrorInfo(0, error.GetAddressOf()) == S_OK) error->GetDescription(description.put());
  return description.str();
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string Hr(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "%#lx", static_cast<unsigned long>(hr));
  return text;
}

TestKey::TestKey(const std::wstring& subKey) : subKey_(subKey) {
  RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, key_.put(), nullptr), ERROR_SUCCESS);
}

TestKey::~TestKey() {
  key_.reset();
  RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
}

void TestKey::SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  // Followed by non-NUL bytes, so the registry stores exactly `size` bytes and adds no NUL.
  std::vector<BYTE> bytes(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  bytes.insert(bytes.end(), {0xFF, 0xFF});
  EXPECT_EQ(RegSetValueExW(key_.get(), name.c_str(), 0, type, bytes.data(), size), ERROR_SUCCESS);
}

std::wstring TestKey::Read(const std::wstring& name, DWORD* type, DWORD* size) const {
  DWORD bytes = 0;
  RegQueryValueExW(key_.get(), name.c_str(), nullptr, type, nullptr, &bytes);
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
  RegQueryValueExW(key_.get(), name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data.data()),
                   &bytes);
  if (size) *size = bytes;
  return std::wstring(data.data(), bytes / sizeof(wchar_t));
}

std::wstring Guid(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring Server(bool https) {
  std::ifstream portFile(https ? "update_server.port.https" : "update_server.port");
  std::string port;
  portFile >> port;
  return (https ? L"https://127.0.0.1:" : L"http://127.0.0.1:") +
         std::wstring(port.begin(), port.end());
}

void UpdateServerSetting::Set(const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TeskLumoraLib", name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

UpdateServerSetting::~UpdateServerSetting() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TeskLumoraLib");
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view) {
  win32::UniqueHkey opened;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, opened.put()) == ERROR_SUCCESS;
}

std::vector<std::wstring> RegisteredKeys() {
  return {L"CLSID\\" + Guid(CLSID_ClsInfo),
          L"CLSID\\" + Guid(CLSID_clsNewRegLib),
          L"TeskLumoraLib.ClsInfo",
          L"TeskLumoraLib.clsNewRegLib",
          L"Interface\\" + Guid(__uuidof(_ClsInfo)),
          L"Interface\\" + Guid(__uuidof(_clsNewRegLib)),
          L"Interface\\" + Guid(IID_clsNewRegLib___v0),
          L"TypeLib\\" + Guid(LIBID_TeskLumoraLib)};
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring TempFile(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  const bool separated = !folder.empty() && folder.back() == L'\\';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + (separated ? L"*" : L"\\*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace tesk::wine_test

// Every Wine test program: `program <TeskLumoraLib.dll> <stand_in_program.exe> [gtest flags]`.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const auto wide = [](const char* text) { return std::wstring(text, text + strlen(text)); };
  if (argc > 1) tesk::wine_test::dllPath = wide(argv[1]);
  if (argc > 2) tesk::wine_test::standInPath = wide(argv[2]);
  CoInitialize(nullptr);
  const int result = RUN_ALL_TESTS();
  tesk::wine_test::sharedRegLib.Reset();
  CoUninitialize();
  return result;
}
