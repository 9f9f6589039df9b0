// clsNewRegLib's registry values against Wine's real registry, on a private test key: what
// the ANSI functions store and deliver. The parsing of paths and the trimming of values are
// held to their rule by tests/fuzz/regmod_fuzz.cpp.

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

const std::wstring kSubKey = L"Software\\TeskLumoraLibTest";
const std::wstring kPath = L"HKEY_CURRENT_USER\\" + kSubKey;

// Reads through the public operation.
std::wstring Get(const std::wstring& keyPath, const std::wstring& valueName) {
  Bstr pathArg(keyPath), nameArg(valueName), result;
  const HRESULT hr = SharedRegLib()->GetRegKeyValue(pathArg.put(), nameArg.put(), result.put());
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  return result.str();
}

// Writes through the public operation; returns what the call left in the path variable.
std::wstring Set(const std::wstring& keyPath, const std::wstring& valueName,
                 const std::wstring& value) {
  Bstr pathArg(keyPath), nameArg(valueName), valueArg(value);
  Variant result;
  const HRESULT hr =
      SharedRegLib()->SetRegKeyValue(pathArg.put(), nameArg.put(), valueArg.put(), &result);
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
  return pathArg.str();
}

TEST(RegistryValues, TextOfTheAnsiCodePageIsStoredWithoutNulAndAnotherWritersNulIsKept) {
  ASSERT_EQ(GetACP(), 1252u) << "the prefix's ANSI code page (scripts/wine-run.sh sets it)";
  TestKey key(kSubKey);
  EXPECT_EQ(Set(kPath, L"Name", L"  spaced value  "), kSubKey);
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(key.Read(L"Name", &type, &size), L"  spaced value  ");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 16 * sizeof(wchar_t)) << "no terminating NUL is stored";
  EXPECT_EQ(Get(kPath, L"Name"), L"spaced value");
  Set(kPath, L"", L"the default");
  EXPECT_EQ(key.Read(L""), L"the default");

  Set(kPath, L"Accents", L"Déjà vu – €");
  EXPECT_EQ(key.Read(L"Accents"), L"Déjà vu – €");
  EXPECT_EQ(Get(kPath, L"Accents"), L"Déjà vu – €");

  key.SetText(L"Other", std::wstring(L"with nul\0", 9));
  EXPECT_EQ(Get(kPath, L"Other"), std::wstring(L"with nul\0", 9));
}

TEST(RegistryValues, ValuesOver25000AnsiBytesReadAsEmptyText) {
  TestKey key(kSubKey);
  key.SetText(L"Fits", std::wstring(25000, L'x'));
  key.SetText(L"TooLong", std::wstring(25001, L'x'));
  EXPECT_EQ(Get(kPath, L"Fits"), std::wstring(25000, L'x'));
  EXPECT_EQ(Get(kPath, L"TooLong"), L"");
}

// The machine's software keys as a program of the DLL's bitness sees them: on 64-bit Windows a
// 32-bit program has a view of its own, and the library, running in such a program, reads and
// writes that view as its host does. 32-bit Windows has one view, which both writes reach.
const std::wstring kViewKey = L"Software\\TeskLumoraLibView";

void WriteInView(REGSAM view, const std::wstring& text) {
  win32::UniqueHkey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kViewKey.c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | view, nullptr, key.put(), nullptr), ERROR_SUCCESS);
  // Followed by a space, so that the registry stores the text without a NUL.
  const std::wstring buffer = text + L' ';
  RegSetValueExW(key.get(), L"Which", 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer.c_str()),
                 static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

std::wstring ReadInView(REGSAM view) {
  win32::UniqueHkey key;
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, kViewKey.c_str(), 0, KEY_QUERY_VALUE | view, key.put());
  wchar_t data[64] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  const LSTATUS status =
      RegQueryValueExW(key.get(), L"Which", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  return status == ERROR_SUCCESS ? data : L"<missing>";
}

TEST(RegistryValues, TheMachinesKeysAreThoseOfTheHostsView) {
  const std::wstring path = L"HKEY_LOCAL_MACHINE\\" + kViewKey;
  const std::pair<REGSAM, std::wstring> views[] = {{KEY_WOW64_64KEY, L"the 64-bit view"},
                                                   {KEY_WOW64_32KEY, L"the 32-bit view"}};
  for (const auto& [view, text] : views) WriteInView(view, text);
  const std::wstring own = sizeof(void*) == 8 ? L"the 64-bit view" : L"the 32-bit view";
  EXPECT_EQ(Get(path, L"Which"), own);

  Set(path, L"Which", L"written by the library");
  const bool oneView = sizeof(void*) == 4 && !RunsUnderWow64();
  for (const auto& [view, text] : views) {
    EXPECT_EQ(ReadInView(view), own == text || oneView ? L"written by the library" : text);
  }
  for (const auto& view : views) {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kViewKey.c_str(), view.first, 0);
  }
}

}  // namespace
}  // namespace tesk::wine_test
