// What creating a clsNewRegLib does, on copies of the DLL in folders of the test's own making:
// with and without WinReg.dll beside it, with and without a "regasm" program to start.

#include <fstream>
#include <vector>
#include <string>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

// A folder in the temporary folder holding a copy of the DLL, loaded from there.
class DllCopy {
 public:
  explicit DllCopy(const std::wstring& name, bool withWinReg) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + name;
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring copy = folder_ + L"\\TeskLumoraLib.dll";
    EXPECT_TRUE(CopyFileW(DllPath().c_str(), copy.c_str(), FALSE));
    if (withWinReg) {
      std::ofstream((folder_ + L"\\WinReg.dll").c_str()) << "stand-in";
    }
    module_ = LoadLibraryW(copy.c_str());
    EXPECT_NE(module_, nullptr);
  }
  ~DllCopy() {
    FreeLibrary(module_);
    DeleteFileW((folder_ + L"\\TeskLumoraLib.dll").c_str());
    DeleteFileW((folder_ + L"\\WinReg.dll").c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  DllCopy(const DllCopy&) = delete;
  DllCopy& operator=(const DllCopy&) = delete;

  const std::wstring& Folder() const { return folder_; }

  // Creates a clsNewRegLib through this copy's own class factory; returns the milliseconds
  // creation took.
  DWORD Create() {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto entry = ExportOf<GetClassObject>(module_, "DllGetClassObject");
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(entry(CLSID_clsNewRegLib, IID_IClassFactory,
                    reinterpret_cast<void**>(factory.GetAddressOf())), S_OK);
    ComPtr<_clsNewRegLib> object;
    const DWORD start = GetTickCount();
    const HRESULT hr = factory->CreateInstance(nullptr, __uuidof(_clsNewRegLib),
                                               reinterpret_cast<void**>(object.GetAddressOf()));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(hr, S_OK) << "creation succeeds whatever its set-up met: " << Hr(hr);
    return elapsed;
  }

 private:
  std::wstring folder_;
  HMODULE module_ = nullptr;
};

struct Creation {
  DllCopy* copy;
  DWORD elapsed;
};

void CreateThroughCopy(void* context) {
  auto* creation = static_cast<Creation*>(context);
  creation->elapsed = creation->copy->Create();
}

std::wstring SystemMessage(DWORD code) {
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 text, 512, nullptr);
  std::wstring message = text;
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
    message.pop_back();
  }
  return message;
}

// The pause is five seconds; anything well below that means it was skipped.
constexpr DWORD kPausedAtLeast = 4900;
constexpr DWORD kNoPauseBelow = 4000;

TEST(ClsNewRegLibCreation, WithoutWinRegStartsNothingAndPauses) {
  DllCopy copy(L"tesk-no-winreg", false);
  Creation creation{&copy, 0};
  const std::wstring box = DismissMessageBoxDuring(L"TeskLumoraLib", CreateThroughCopy, &creation);
  EXPECT_EQ(box, L"") << "no message box";
  EXPECT_GE(creation.elapsed, kPausedAtLeast);
}

TEST(ClsNewRegLibCreation, WithoutRegasmShowsTheSystemsDescriptionAndDoesNotPause) {
  SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32");
  DllCopy copy(L"tesk-no-regasm", true);
  Creation creation{&copy, 0};
  const std::wstring box = DismissMessageBoxDuring(L"TeskLumoraLib", CreateThroughCopy, &creation);
  EXPECT_EQ(box, SystemMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_LT(creation.elapsed, kNoPauseBelow);
}

TEST(ClsNewRegLibCreation, StartsRegasmMinimisedWithTheUnquotedPathAndPauses) {
  DllCopy copy(L"tesk-with-regasm", true);
  const std::wstring bin = copy.Folder() + L"\\bin";
  InstallStandIn(bin + L"\\regasm.exe");
  SetEnvironmentVariableW(L"PATH", (bin + L";C:\\windows\\system32").c_str());

  Creation creation{&copy, 0};
  const std::wstring box = DismissMessageBoxDuring(L"TeskLumoraLib", CreateThroughCopy, &creation);
  EXPECT_EQ(box, L"");
  EXPECT_GE(creation.elapsed, kPausedAtLeast);

  const std::wstring expected = L"regasm " + copy.Folder() + L"\\WinReg.dll /tlb\t" +
                                std::to_wstring(SW_SHOWMINIMIZED);
  EXPECT_EQ(StartLog(bin, 10000), std::vector<std::string>{std::string(expected.begin(), expected.end())});
  TerminateProcesses(L"regasm.exe");
  DeleteFileW((bin + L"\\started.log").c_str());
  DeleteFileW((bin + L"\\regasm.exe").c_str());
  RemoveDirectoryW(bin.c_str());
}

}  // namespace
}  // namespace tesk::wine_test
