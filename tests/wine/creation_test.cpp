// What creating a clsNewRegLib does on a copy of the DLL with WinReg.dll beside it: the real
// process start and the real message box. The set-up's steps, and that nothing starts without
// WinReg.dll, are pinned by the native RegLibSetup tests.

#include <fstream>
#include <string>
#include <vector>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

struct Creation {
  std::wstring box;  // the text of the message box titled "TeskLumoraLib", if one showed
  DWORD milliseconds;
};

// A folder in the temporary folder holding a copy of the DLL and a WinReg.dll, loaded from there.
class DllCopy : NoCopy {
 public:
  explicit DllCopy(const wchar_t* name) : folder_(TempFile(name)) {
    CreateDirectoryW(folder_.c_str(), nullptr);
    EXPECT_TRUE(CopyFileW(DllPath().c_str(), (folder_ + L"\\TeskLumoraLib.dll").c_str(), FALSE));
    std::ofstream((folder_ + L"\\WinReg.dll").c_str()) << "stand-in";
    module_ = LoadLibraryW((folder_ + L"\\TeskLumoraLib.dll").c_str());
    EXPECT_NE(module_, nullptr);
  }
  ~DllCopy() {
    FreeLibrary(module_);
    DeleteFileW((folder_ + L"\\TeskLumoraLib.dll").c_str());
    DeleteFileW((folder_ + L"\\WinReg.dll").c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  const std::wstring& Folder() const { return folder_; }

  // Creates a clsNewRegLib through this copy's own class factory, dismissing any message box.
  Creation Create() {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(ExportOf<GetClassObject>(module_, "DllGetClassObject")(CLSID_clsNewRegLib,
                                                                       IID_PPV_ARGS(&factory)),
              S_OK);
    Creation creation{};
    creation.box = DismissMessageBoxDuring(L"TeskLumoraLib", [&] {
      ComPtr<_clsNewRegLib> object;
      const DWORD start = GetTickCount();
      const HRESULT hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
      creation.milliseconds = GetTickCount() - start;
      EXPECT_EQ(hr, S_OK) << "creation succeeds whatever its set-up met: " << Hr(hr);
    });
    return creation;
  }

 private:
  std::wstring folder_;
  HMODULE module_ = nullptr;
};

// The pause is five seconds; anything well below that means it was skipped.
constexpr DWORD kPausedAtLeast = 4900;
constexpr DWORD kNoPauseBelow = 4000;

// Without regasm on the PATH the system's description of the failure shows and nothing pauses;
// with it, regasm starts minimised with the unquoted path and creation pauses.
TEST(ClsNewRegLibCreation, StartsRegasmMinimisedAndPausesOrShowsTheSystemsDescription) {
  DllCopy copy(L"tesk-creation");
  SetEnvironmentVariableW(L"PATH", L"C:\\windows\\system32");
  Creation creation = copy.Create();
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 ERROR_FILE_NOT_FOUND, 0, text, 512, nullptr);
  const std::wstring description = text;
  EXPECT_EQ(creation.box, description.substr(0, description.find_last_not_of(L"\r\n") + 1));
  EXPECT_LT(creation.milliseconds, kNoPauseBelow);

  const StandInFolder bin(copy.Folder() + L"\\bin", L"regasm.exe");
  SetEnvironmentVariableW(L"PATH", (bin.Path() + L";C:\\windows\\system32").c_str());
  creation = copy.Create();
  EXPECT_EQ(creation.box, L"");
  EXPECT_GE(creation.milliseconds, kPausedAtLeast);
  const std::wstring expected = L"regasm " + copy.Folder() + L"\\WinReg.dll /tlb\t" +
                                std::to_wstring(SW_SHOWMINIMIZED);
  EXPECT_EQ(StartLog(bin.Path(), 10000), std::vector<std::string>{Narrow(expected)});
}

}  // namespace
}  // namespace tesk::wine_test
