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

namespace tesk::wine_test {

using Microsoft::WRL::ComPtr;

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

// The local update server (scripts/update_server.py) the ctest fixture started.
std::wstring Server();

// Prints an HRESULT the way Wine's conformance tests do, so a failure shows the code.
std::string Hr(HRESULT hr);

// An owned BSTR for building arguments.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  BSTR* put() { return &text_; }
  std::wstring str() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

// Creates a registered class by its ProgID, as a late-binding host would find it.
template <typename Interface>
ComPtr<Interface> CreateByProgId(const wchar_t* progId) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  EXPECT_EQ(hr, S_OK) << "CLSIDFromProgID: " << Hr(hr);
  ComPtr<Interface> object;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                        reinterpret_cast<void**>(object.GetAddressOf()));
  EXPECT_EQ(hr, S_OK) << "CoCreateInstance: " << Hr(hr);
  return object;
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
class TestKey {
 public:
  explicit TestKey(const std::wstring& subKey);
  ~TestKey();
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  void SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size);
  // The bytes stored under `name`, as the wide registry API returns them.
  std::wstring Read(const std::wstring& name, DWORD* type = nullptr, DWORD* size = nullptr) const;

 private:
  std::wstring subKey_;
  HKEY key_ = nullptr;
};

}  // namespace tesk::wine_test
