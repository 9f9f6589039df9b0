// A host that uses the DLL without registration: this program's own manifest (resource 1) lists
// the TeskLumoraLib assembly, the DLL lies beside the program and carries the assembly's
// manifest, and the prefix has nothing registered. Both classes must then be found by ProgID and
// by CLSID, loaded from the program's folder, and answer late-bound calls through the type
// library the assembly names.

#include <string>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

bool Registered(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring text = path;
  return text.substr(0, text.find_last_of(L'\\'));
}

// The CLSID a ProgID names, as a late-binding host looks it up first.
CLSID FromProgId(const wchar_t* progId) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  EXPECT_EQ(hr, S_OK) << "CLSIDFromProgID: " << Hr(hr);
  return clsid;
}

ComPtr<IDispatch> Create(const CLSID& clsid) {
  ComPtr<IDispatch> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
  const std::wstring name = Guid(clsid);
  EXPECT_EQ(hr, S_OK) << "CoCreateInstance " << std::string(name.begin(), name.end()) << ": "
                      << Hr(hr);
  return object;
}

void ExpectLoadedBesideTheHost() {
  const HMODULE library = GetModuleHandleW(L"TeskLumoraLib.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(lstrcmpiW(FolderOf(library).c_str(), FolderOf(nullptr).c_str()), 0);
}

// Without this the other tests could pass through a registration left in the prefix.
TEST(RegistrationFree, NothingIsRegistered) {
  for (const auto& key : {L"CLSID\\" + Guid(CLSID_ClsInfo), L"CLSID\\" + Guid(CLSID_clsNewRegLib),
                          std::wstring(L"TeskLumoraLib.ClsInfo"),
                          std::wstring(L"TeskLumoraLib.clsNewRegLib"),
                          L"TypeLib\\" + Guid(LIBID_TeskLumoraLib)}) {
    EXPECT_FALSE(Registered(key)) << std::string(key.begin(), key.end());
  }
}

// What the creations below do not use: the type library for early-bound hosts and the universal
// marshaler for both interfaces, which the assembly's manifest declares as well.
TEST(RegistrationFree, TheHostsActivationContextNamesTheTypeLibraryAndTheMarshaler) {
  ComPtr<ITypeLib> library;
  const HRESULT hr = LoadRegTypeLib(LIBID_TeskLumoraLib, 1, 1, LOCALE_NEUTRAL, &library);
  EXPECT_EQ(hr, S_OK) << "LoadRegTypeLib: " << Hr(hr);
  for (const IID* iid : {&__uuidof(_ClsInfo), &__uuidof(_clsNewRegLib)}) {
    CLSID proxyStub{};
    EXPECT_EQ(CoGetPSClsid(*iid, &proxyStub), S_OK);
    EXPECT_EQ(Guid(proxyStub), L"{00020424-0000-0000-C000-000000000046}");
  }
}

TEST(RegistrationFree, ClsInfoByProgIdAndByClsidTakesAProductName) {
  for (const CLSID& clsid : {FromProgId(L"TeskLumoraLib.ClsInfo"), CLSID_ClsInfo}) {
    const ComPtr<IDispatch> info = Create(clsid);
    ASSERT_TRUE(info);
    Bstr symbol(L"TAX");
    const HRESULT hr = CallByName(info.Get(), L"SetProductName", {TextRef(symbol.put())}, nullptr);
    EXPECT_EQ(hr, S_OK) << Hr(hr);
  }
  ExpectLoadedBesideTheHost();
}

// Each creation of a clsNewRegLib takes five seconds.
TEST(RegistrationFree, ClsNewRegLibByProgIdAndByClsidReadsTheRegistry) {
  TestKey key(L"Software\\TeskLumoraLibRegistrationFree");
  const std::wstring edition = L"Gold";
  key.SetRaw(L"Edition", REG_SZ, edition.data(),
             static_cast<DWORD>(edition.size() * sizeof(wchar_t)));
  for (const CLSID& clsid : {FromProgId(L"TeskLumoraLib.clsNewRegLib"), CLSID_clsNewRegLib}) {
    const ComPtr<IDispatch> regLib = Create(clsid);
    ASSERT_TRUE(regLib);
    Bstr path(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibRegistrationFree");
    Bstr name(L"Edition");
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = CallByName(regLib.Get(), L"GetRegKeyValue",
                                  {TextRef(path.put()), TextRef(name.put())}, &value);
    EXPECT_EQ(hr, S_OK) << Hr(hr);
    ASSERT_EQ(V_VT(&value), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))), edition);
    VariantClear(&value);
  }
  ExpectLoadedBesideTheHost();
}

}  // namespace
}  // namespace tesk::wine_test
