// A host that uses the DLL without registration: this program's own manifest (resource 1) lists
// the TeskLumoraLib assembly, the DLL lies beside the program and carries the assembly's
// manifest, and the prefix has nothing registered. Both classes must then be found by ProgID and
// by CLSID, loaded from the program's folder, and answer late-bound calls through the type
// library the assembly names.

#include <string>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring text = path;
  return text.substr(0, text.find_last_of(L'\\'));
}

void ExpectLoadedBesideTheHost() {
  const HMODULE library = GetModuleHandleW(L"TeskLumoraLib.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(lstrcmpiW(FolderOf(library).c_str(), FolderOf(nullptr).c_str()), 0);
}

// Without this the other tests could pass through a registration left in the prefix.
TEST(RegistrationFree, NothingIsRegistered) {
  for (const std::wstring& key : RegisteredKeys()) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << Narrow(key);
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
  for (const CLSID& clsid : {ClsidOf(L"TeskLumoraLib.ClsInfo"), CLSID_ClsInfo}) {
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
  key.SetText(L"Edition", L"Gold");
  for (const CLSID& clsid : {ClsidOf(L"TeskLumoraLib.clsNewRegLib"), CLSID_clsNewRegLib}) {
    const ComPtr<IDispatch> regLib = Create(clsid);
    ASSERT_TRUE(regLib);
    Bstr path(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibRegistrationFree");
    Bstr name(L"Edition");
    Variant value;
    const HRESULT hr = CallByName(regLib.Get(), L"GetRegKeyValue",
                                  {TextRef(path.put()), TextRef(name.put())}, &value);
    EXPECT_EQ(hr, S_OK) << Hr(hr);
    ASSERT_EQ(V_VT(&value), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&value), L"Gold");
  }
  ExpectLoadedBesideTheHost();
}

}  // namespace
}  // namespace tesk::wine_test
