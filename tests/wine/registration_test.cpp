// DllRegisterServer, DllUnregisterServer and DllInstall, called in-process as regsvr32 does.
// That the system then finds the classes by ProgID and the type library for the DLL's platform,
// the automation tests show.

#include <cwctype>
#include <functional>
#include <string>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

// The system's marshaller for interfaces described by a type library.
constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring Value(HKEY hive, const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  const std::wstring path = L"Software\\Classes\\" + key;
  const LSTATUS status =
      RegGetValueW(hive, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
  return status == ERROR_SUCCESS ? data : L"<missing>";
}

bool ClassKeyExists(HKEY hive, const std::wstring& key, REGSAM view = 0) {
  return KeyExists(hive, L"Software\\Classes\\" + key, view);
}

// None of which a fresh prefix holds.
void ExpectNothingLeft(HKEY hive) {
  for (const std::wstring& key : RegisteredKeys()) {
    EXPECT_FALSE(ClassKeyExists(hive, key)) << Narrow(key);
  }
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load the DLL";
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(module_, path, MAX_PATH);
    modulePath_ = Lower(path);
  }
  void TearDown() override { FreeLibrary(module_); }

  HRESULT Call(const char* name) {
    auto entry = ExportOf<HRESULT(STDAPICALLTYPE*)()>(module_, name);
    return entry ? entry() : E_NOTIMPL;
  }
  HRESULT Install(BOOL install) {
    auto entry = ExportOf<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>(module_, "DllInstall");
    return entry ? entry(install, L"user") : E_NOTIMPL;
  }

  void ExpectRegistered(HKEY hive) {
    const std::wstring regLib = L"CLSID\\" + Guid(CLSID_clsNewRegLib);
    EXPECT_EQ(Lower(Value(hive, regLib + L"\\InprocServer32")), modulePath_);
    EXPECT_EQ(Value(hive, regLib + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(Value(hive, regLib + L"\\ProgID"), L"TeskLumoraLib.clsNewRegLib");
    for (const IID* iid : {&__uuidof(_ClsInfo), &__uuidof(_clsNewRegLib), &IID_clsNewRegLib___v0}) {
      const std::wstring key = L"Interface\\" + Guid(*iid);
      EXPECT_EQ(Value(hive, key + L"\\ProxyStubClsid32"), kAutomationMarshaller);
      EXPECT_EQ(Value(hive, key + L"\\TypeLib"), Guid(LIBID_TeskLumoraLib));
      EXPECT_EQ(Value(hive, key + L"\\TypeLib", L"Version"), L"1.1");
    }
    // A 32-bit DLL on 64-bit Windows registers its classes where 32-bit hosts look for them:
    // the registry's 32-bit view, which 64-bit programs do not see. (Windows keeps the user's
    // classes apart the same way; Wine only the machine's.)
    if (RunsUnderWow64() && hive == HKEY_LOCAL_MACHINE) {
      EXPECT_TRUE(ClassKeyExists(hive, regLib, KEY_WOW64_32KEY));
      EXPECT_FALSE(ClassKeyExists(hive, regLib, KEY_WOW64_64KEY));
    }
  }

  HMODULE module_ = nullptr;
  std::wstring modulePath_;  // lower case
};

// Machine-wide (regsvr32) and per user (regsvr32 /n /i:user): everything in its own hive and
// nothing in the other; unregistering, even twice, leaves no trace.
TEST_F(Registration, EachWayRegistersInItsHiveOnlyAndUnregistersWithoutTrace) {
  const struct {
    HKEY hive, other;
    std::function<HRESULT()> registerIt, unregister;
  } ways[] = {
      {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, [this] { return Call("DllRegisterServer"); },
       [this] { return Call("DllUnregisterServer"); }},
      {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, [this] { return Install(TRUE); },
       [this] { return Install(FALSE); }},
  };
  // Whatever an earlier run left registered, unregistering removes it.
  for (const auto& way : ways) ASSERT_EQ(way.unregister(), S_OK);
  for (const auto& way : ways) {
    SCOPED_TRACE(way.hive == HKEY_CURRENT_USER ? "per user" : "machine-wide");
    ExpectNothingLeft(way.hive);
    ASSERT_EQ(way.registerIt(), S_OK);
    ExpectRegistered(way.hive);
    ExpectNothingLeft(way.other);
    ASSERT_EQ(way.unregister(), S_OK);
    ExpectNothingLeft(way.hive);
    EXPECT_EQ(way.unregister(), S_OK) << "unregistering twice must be harmless";
  }
}

TEST_F(Registration, UnregisteringKeepsWhatOthersAddedToOurKeys) {
  ASSERT_EQ(Call("DllRegisterServer"), S_OK);
  const std::wstring ours = L"CLSID\\" + Guid(CLSID_ClsInfo);
  const std::wstring foreign = ours + L"\\Implemented Categories";
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + foreign).c_str(), nullptr,
                            REG_SZ, L"", sizeof(wchar_t)), ERROR_SUCCESS);

  ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
  EXPECT_TRUE(ClassKeyExists(HKEY_LOCAL_MACHINE, foreign));
  EXPECT_FALSE(ClassKeyExists(HKEY_LOCAL_MACHINE, ours + L"\\InprocServer32"));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + ours).c_str());
  ExpectNothingLeft(HKEY_LOCAL_MACHINE);
}

TEST_F(Registration, ClassObjectsRefuseAggregationAndLocksKeepTheDllLoaded) {
  auto getClassObject =
      ExportOf<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(module_, "DllGetClassObject");
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(getClassObject(IID_IPersist, IID_PPV_ARGS(&factory)), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(getClassObject(CLSID_ClsInfo, IID_IClassFactory, nullptr), E_POINTER);
  ASSERT_EQ(getClassObject(CLSID_ClsInfo, IID_PPV_ARGS(&factory)), S_OK);

  ComPtr<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(Call("DllCanUnloadNow"), S_OK) << "a refused creation leaves no object behind";
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), S_OK);
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
