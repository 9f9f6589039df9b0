#include "wine_test_support.h"

#include <cstdio>
#include <vector>

namespace tesk::wine_test {
namespace {

std::wstring dllPath;
ComPtr<_clsNewRegLib> sharedRegLib;

struct BoxWatch {
  const wchar_t* title;
  std::wstring text;
  volatile LONG done = 0;
};

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  wchar_t text[1024] = {};
  GetWindowTextW(child, text, 1024);
  if (text[0]) *reinterpret_cast<std::wstring*>(context) = text;
  return TRUE;
}

DWORD WINAPI WatchForBox(void* context) {
  auto* watch = static_cast<BoxWatch*>(context);
  while (!watch->done) {
    HWND box = FindWindowW(L"#32770", watch->title);
    if (box && IsWindowVisible(box)) {
      EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&watch->text));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(20);
  }
  return 0;
}

}  // namespace

const std::wstring& DllPath() { return dllPath; }

_clsNewRegLib* SharedRegLib() {
  if (!sharedRegLib) sharedRegLib = CreateByProgId<_clsNewRegLib>(L"TeskLumoraLib.clsNewRegLib");
  return sharedRegLib.Get();
}

std::string Hr(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "%#lx", static_cast<unsigned long>(hr));
  return text;
}

TestKey::TestKey(const std::wstring& subKey) : subKey_(subKey) {
  RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
  const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0,
                                         KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  EXPECT_EQ(status, ERROR_SUCCESS);
}

TestKey::~TestKey() {
  RegCloseKey(key_);
  RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
}

void TestKey::SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  // Followed by non-NUL bytes, so the registry stores exactly `size` bytes and adds no NUL.
  std::vector<BYTE> bytes(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  bytes.insert(bytes.end(), {0xFF, 0xFF});
  EXPECT_EQ(RegSetValueExW(key_, name.c_str(), 0, type, bytes.data(), size), ERROR_SUCCESS);
}

bool TestKey::HasValue(const std::wstring& name) const {
  return RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

std::wstring TestKey::Read(const std::wstring& name, DWORD* type, DWORD* size) const {
  DWORD bytes = 0;
  RegQueryValueExW(key_, name.c_str(), nullptr, type, nullptr, &bytes);
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
  RegQueryValueExW(key_, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data.data()),
                   &bytes);
  if (size) *size = bytes;
  return std::wstring(data.data(), bytes / sizeof(wchar_t));
}

std::wstring DismissMessageBoxDuring(const wchar_t* title, void (*action)(void*), void* context) {
  BoxWatch watch{title, {}};
  HANDLE watcher = CreateThread(nullptr, 0, WatchForBox, &watch, 0, nullptr);
  action(context);
  InterlockedExchange(&watch.done, 1);
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  return watch.text;
}

}  // namespace tesk::wine_test

// Every Wine test program: `program <path of TeskLumoraLib.dll> [gtest flags]`.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) {
    const std::string path = argv[1];
    tesk::wine_test::dllPath.assign(path.begin(), path.end());
  }
  CoInitialize(nullptr);
  const int result = RUN_ALL_TESTS();
  tesk::wine_test::sharedRegLib.Reset();
  CoUninitialize();
  return result;
}
