// DllRegisterServer, DllUnregisterServer and DllInstall, called in-process as regsvr32 does.

#include <cwctype>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

using EntryPoint = HRESULT(STDAPICALLTYPE*)();
using InstallEntryPoint = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

std::wstring Guid(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load the DLL";
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(module_, path, MAX_PATH);
    modulePath_ = path;
  }
  void TearDown() override { FreeLibrary(module_); }

  HRESULT Call(const char* name) {
    auto entry = ExportOf<EntryPoint>(module_, name);
    return entry ? entry() : E_NOTIMPL;
  }
  HRESULT Install(BOOL install, const wchar_t* commandLine) {
    auto entry = ExportOf<InstallEntryPoint>(module_, "DllInstall");
    return entry ? entry(install, commandLine) : E_NOTIMPL;
  }

  static std::wstring Value(HKEY hive, const std::wstring& key, const wchar_t* name = nullptr) {
    const std::wstring path = L"Software\\Classes\\" + key;
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(hive, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
      return L"<missing>";
    }
    return data;
  }
  static bool KeyExists(HKEY hive, const std::wstring& key) {
    HKEY opened = nullptr;
    const std::wstring path = L"Software\\Classes\\" + key;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
  }
  // Every key registration may write, none of which a fresh prefix holds.
  static std::vector<std::wstring> OwnKeys() {
    return {L"CLSID\\" + Guid(CLSID_ClsInfo),
            L"CLSID\\" + Guid(CLSID_clsNewRegLib),
            L"TeskLumoraLib.ClsInfo",
            L"TeskLumoraLib.clsNewRegLib",
            L"Interface\\" + Guid(__uuidof(_ClsInfo)),
            L"Interface\\" + Guid(__uuidof(_clsNewRegLib)),
            L"Interface\\" + Guid(IID_clsNewRegLib___v0),
            L"TypeLib\\" + Guid(LIBID_TeskLumoraLib)};
  }
  static void ExpectNothingLeft(HKEY hive) {
    for (const auto& key : OwnKeys()) EXPECT_FALSE(KeyExists(hive, key)) << std::string(key.begin(), key.end());
  }

  void ExpectRegistered(HKEY hive) {
    const std::wstring clsNewRegLib = L"CLSID\\" + Guid(CLSID_clsNewRegLib);
    EXPECT_EQ(Lower(Value(hive, clsNewRegLib + L"\\InprocServer32")), Lower(modulePath_));
    EXPECT_EQ(Value(hive, clsNewRegLib + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(Value(hive, clsNewRegLib + L"\\ProgID"), L"TeskLumoraLib.clsNewRegLib");
    EXPECT_EQ(Value(hive, L"TeskLumoraLib.ClsInfo\\Clsid"), Guid(CLSID_ClsInfo));
    EXPECT_EQ(Value(hive, L"TeskLumoraLib.clsNewRegLib\\Clsid"), Guid(CLSID_clsNewRegLib));
    for (const IID* iid : {&__uuidof(_ClsInfo), &__uuidof(_clsNewRegLib), &IID_clsNewRegLib___v0}) {
      const std::wstring key = L"Interface\\" + Guid(*iid);
      EXPECT_EQ(Value(hive, key + L"\\ProxyStubClsid32"), L"{00020424-0000-0000-C000-000000000046}");
      EXPECT_EQ(Value(hive, key + L"\\TypeLib"), Guid(LIBID_TeskLumoraLib));
      EXPECT_EQ(Value(hive, key + L"\\TypeLib", L"Version"), L"1.1");
    }
    const std::wstring typeLib = L"TypeLib\\" + Guid(LIBID_TeskLumoraLib) + L"\\1.1";
    EXPECT_EQ(Lower(Value(hive, typeLib + L"\\0\\win64")), Lower(modulePath_));
  }

  HMODULE module_ = nullptr;
  std::wstring modulePath_;
};

TEST_F(Registration, MachineWideRegistersEverythingAndUnregistersWithoutTrace) {
  // Whatever an earlier run left registered, unregistering removes it.
  ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
  ASSERT_EQ(Install(FALSE, L"user"), S_OK);
  ExpectNothingLeft(HKEY_LOCAL_MACHINE);
  ExpectNothingLeft(HKEY_CURRENT_USER);
  ASSERT_EQ(Call("DllRegisterServer"), S_OK);
  ExpectRegistered(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"TeskLumoraLib.ClsInfo"));

  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(L"TeskLumoraLib.ClsInfo", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ClsInfo));
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadRegTypeLib(LIBID_TeskLumoraLib, 1, 1, 0, library.GetAddressOf());
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  library.Reset();

  ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
  ExpectNothingLeft(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(Call("DllUnregisterServer"), S_OK) << "unregistering twice must be harmless";
}

TEST_F(Registration, UnregisteringKeepsWhatOthersAddedToOurKeys) {
  ASSERT_EQ(Call("DllRegisterServer"), S_OK);
  const std::wstring foreign =
      L"Software\\Classes\\CLSID\\" + Guid(CLSID_ClsInfo) + L"\\Implemented Categories";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, foreign.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"CLSID\\" + Guid(CLSID_ClsInfo) + L"\\Implemented Categories"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"CLSID\\" + Guid(CLSID_ClsInfo) + L"\\InprocServer32"));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + Guid(CLSID_ClsInfo)).c_str());
  ExpectNothingLeft(HKEY_LOCAL_MACHINE);
}

TEST_F(Registration, PerUserInstallWritesOnlyBelowTheCurrentUser) {
  ASSERT_EQ(Install(TRUE, L"user"), S_OK);
  ExpectRegistered(HKEY_CURRENT_USER);
  ExpectNothingLeft(HKEY_LOCAL_MACHINE);

  ASSERT_EQ(Install(FALSE, L"user"), S_OK);
  ExpectNothingLeft(HKEY_CURRENT_USER);
}

TEST_F(Registration, ClassObjectsRefuseAggregationAndLocksKeepTheDllLoaded) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject = ExportOf<GetClassObject>(module_, "DllGetClassObject");
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(getClassObject(IID_IPersist, IID_IClassFactory,
                           reinterpret_cast<void**>(factory.GetAddressOf())),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(getClassObject(CLSID_ClsInfo, IID_IClassFactory, nullptr), E_POINTER);
  ASSERT_EQ(getClassObject(CLSID_ClsInfo, IID_IClassFactory,
                           reinterpret_cast<void**>(factory.GetAddressOf())), S_OK);

  ComPtr<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown,
                                    reinterpret_cast<void**>(object.GetAddressOf())),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(object.GetAddressOf())),
            E_NOINTERFACE);
  EXPECT_EQ(Call("DllCanUnloadNow"), S_OK) << "a refused creation leaves no object behind";
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown,
                                    reinterpret_cast<void**>(object.GetAddressOf())), S_OK);
  EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
  object.Reset();
  EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
  factory->LockServer(TRUE);
  EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

}  // namespace
}  // namespace tesk::wine_test
