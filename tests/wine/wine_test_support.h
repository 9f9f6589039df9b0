#pragma once
// Shared pieces of the tests that drive the built DLL under Wine.

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TeskLumoraLib.h"
#include "win32/system/unique_resource.h"

namespace tesk::wine_test {

using Microsoft::WRL::ComPtr;

// The base of the tests' owners of something that is released once: they are never copied.
struct NoCopy {
  NoCopy() = default;
  NoCopy(const NoCopy&) = delete;
  NoCopy& operator=(const NoCopy&) = delete;
};

// The DLL under test, as given on the test program's command line.
const std::wstring& DllPath();

// Polls until `state` holds, for at most `milliseconds`; whether it held. For what another
// process does, which sends this one no notice.
bool WaitUntil(const std::function<bool()>& state, DWORD milliseconds);

// Copies the stand-in program (tools/stand_in, the command line's second argument) to `path`
// (its folder is created).
void InstallStandIn(const std::wstring& path);
// The starts a stand-in noted in "started.log" in `folder`, each "command line<TAB>style";
// waits up to `milliseconds` for the first one.
std::vector<std::string> StartLog(const std::wstring& folder, DWORD milliseconds = 0);
// Running processes whose executable has this file name (any case); and ending them.
int CountProcesses(const std::wstring& executable);
void TerminateProcesses(const std::wstring& executable);

// Files as the tests make and inspect them: a path in the temporary folder, a file's bytes
// ("" when it cannot be read), and the names of the files (not folders) in a folder.
std::wstring TempFile(const wchar_t* name);
std::string FileBytes(const std::wstring& path);
std::vector<std::wstring> FilesIn(const std::wstring& folder);

// An exported function of a loaded module, typed; null when it is not exported.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Whether this is a 32-bit program on 64-bit Windows, which sees the registry's 32-bit view.
bool RunsUnderWow64();

// A GUID in registry form, "{...}".
std::wstring Guid(const GUID& guid);

// The local update server (scripts/update_server.py) the ctest fixture started; its https
// listener's certificate is signed by no one.
std::wstring Server(bool https = false);

// The library's settings for the current user, the update server first; removed with the object.
class UpdateServerSetting : NoCopy {
 public:
  explicit UpdateServerSetting(const std::wstring& server) { Set(L"UpdateServer", server); }
  ~UpdateServerSetting();
  void Set(const wchar_t* name, const std::wstring& value);
};

// A folder holding the stand-in program under the given name: whatever the library starts
// there is noted in its started.log. Ends the program and removes the folder.
class StandInFolder : NoCopy {
 public:
  StandInFolder(std::wstring folder, std::wstring program);
  ~StandInFolder();
  const std::wstring& Path() const { return folder_; }

 private:
  std::wstring folder_;
  std::wstring program_;
};

// Whether a registry key exists; `view` may ask for the 32- or 64-bit view (KEY_WOW64_32KEY,
// KEY_WOW64_64KEY).
bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0);
// Every key registration may write, under a hive's Software\Classes or HKEY_CLASSES_ROOT.
std::vector<std::wstring> RegisteredKeys();

std::string Narrow(const std::wstring& text);

// Prints an HRESULT the way Wine's conformance tests do, so a failure shows the code.
std::string Hr(HRESULT hr);

// An owned BSTR for building arguments.
class Bstr : NoCopy {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  BSTR* put() { return &text_; }
  std::wstring str() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

// A VARIANT that starts empty and is cleared with the object.
struct Variant : VARIANT, NoCopy {
  Variant() { VariantInit(this); }
  ~Variant() { VariantClear(this); }
};

// Exception information for IDispatch::Invoke, its texts freed with the object.
struct Exception : EXCEPINFO, NoCopy {
  Exception() : EXCEPINFO{} {}
  ~Exception();
};

// A COM object on the test's stack: it answers every interface with itself and counts no
// references.
template <typename Interface>
struct Unowned : Interface {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

// The class a ProgID names, as a late-binding host looks it up first.
CLSID ClsidOf(const wchar_t* progId);

// Creates a class as hosts do, through CoCreateInstance.
template <typename Interface = IDispatch>
ComPtr<Interface> Create(const CLSID& clsid) {
  ComPtr<Interface> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                                      reinterpret_cast<void**>(object.GetAddressOf()));
  EXPECT_EQ(hr, S_OK) << "CoCreateInstance: " << Hr(hr);
  return object;
}

template <typename Interface>
ComPtr<Interface> CreateByProgId(const wchar_t* progId) {
  return Create<Interface>(ClsidOf(progId));
}

// Calls `name` through IDispatch with the arguments in host order.
HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args,
                   VARIANT* result, EXCEPINFO* exception = nullptr);
// Arguments that borrow the caller's string: by value, and by reference to its variable.
VARIANT Text(BSTR text);
VARIANT TextRef(BSTR* text);

// A two-dimensional array of text, rows by columns, from the given lower bounds.
SAFEARRAY* TextTable(const std::vector<std::vector<std::wstring>>& rows, LONG firstRow = 0,
                     LONG firstColumn = 0);
// The description of the error object the last call left on the thread; "" when none.
std::wstring ErrorDescription();

// One clsNewRegLib for the whole test program: creating one takes five seconds.
_clsNewRegLib* SharedRegLib();

// A private key under HKEY_CURRENT_USER, created for a test and deleted with all it holds.
class TestKey : NoCopy {
 public:
  explicit TestKey(const std::wstring& subKey);
  ~TestKey();

  void SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size);
  void SetText(const std::wstring& name, const std::wstring& text) {
    SetRaw(name, REG_SZ, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  }
  // The bytes stored under `name`, as the wide registry API returns them.
  std::wstring Read(const std::wstring& name, DWORD* type = nullptr, DWORD* size = nullptr) const;

 private:
  std::wstring subKey_;
  win32::UniqueHkey key_;
};

}  // namespace tesk::wine_test
