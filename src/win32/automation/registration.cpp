#include "win32/automation/registration.h"

#include <string>
#include <vector>

#include "TeskLumoraLib.h"
#include "win32/system/module_path.h"
#include "win32/system/unique_resource.h"

namespace tesk::win32 {
namespace {

// The universal marshaler, which marshals any oleautomation interface from its type library.
constexpr wchar_t kUniversalMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kTypeLibVersion[] = L"1.1";

#ifdef _WIN64
constexpr wchar_t kTypeLibPlatform[] = L"win64";
#else
constexpr wchar_t kTypeLibPlatform[] = L"win32";
#endif

struct ClassRow {
  const CLSID& clsid;
  const wchar_t* name;
  const wchar_t* progId;
};

struct InterfaceRow {
  const IID& iid;
  const wchar_t* name;
};

const ClassRow kClasses[] = {
    {CLSID_clsNewRegLib, L"clsNewRegLib", L"TeskLumoraLib.clsNewRegLib"},
    {CLSID_ClsInfo, L"ClsInfo", L"TeskLumoraLib.ClsInfo"},
};

const InterfaceRow kInterfaces[] = {
    {__uuidof(_ClsInfo), L"_ClsInfo"},
    {__uuidof(_clsNewRegLib), L"_clsNewRegLib"},
    {IID_clsNewRegLib___v0, L"clsNewRegLib___v0"},
};

// One registry value, below the classes root; a null name is the key's default value and a
// null data a key that only holds other keys.
struct Entry {
  std::wstring key;
  const wchar_t* name;
  std::wstring data;
  bool hasData;
};

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

void Add(std::vector<Entry>& entries, std::wstring key, const wchar_t* name, std::wstring data) {
  entries.push_back({std::move(key), name, std::move(data), true});
}

void AddKey(std::vector<Entry>& entries, std::wstring key) {
  entries.push_back({std::move(key), nullptr, {}, false});
}

void AddTypeLibrary(std::vector<Entry>& entries) {
  const std::wstring root = L"TypeLib\\" + GuidText(LIBID_TeskLumoraLib);
  const std::wstring version = root + L"\\" + kTypeLibVersion;
  AddKey(entries, root);
  Add(entries, version, nullptr, L"TeskLumoraLib");
  AddKey(entries, version + L"\\0");
  Add(entries, version + L"\\0\\" + kTypeLibPlatform, nullptr, ModulePath());
  Add(entries, version + L"\\FLAGS", nullptr, L"0");
  Add(entries, version + L"\\HELPDIR", nullptr, ModuleFolder());
}

void AddClass(std::vector<Entry>& entries, const ClassRow& row) {
  const std::wstring clsid = GuidText(row.clsid);
  const std::wstring key = L"CLSID\\" + clsid;
  Add(entries, key, nullptr, row.name);
  Add(entries, key + L"\\InprocServer32", nullptr, ModulePath());
  Add(entries, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  Add(entries, key + L"\\ProgID", nullptr, row.progId);
  Add(entries, key + L"\\TypeLib", nullptr, GuidText(LIBID_TeskLumoraLib));
  Add(entries, key + L"\\VERSION", nullptr, kTypeLibVersion);
  Add(entries, row.progId, nullptr, row.progId);
  Add(entries, std::wstring(row.progId) + L"\\Clsid", nullptr, clsid);
}

void AddInterface(std::vector<Entry>& entries, const InterfaceRow& row) {
  const std::wstring key = L"Interface\\" + GuidText(row.iid);
  Add(entries, key, nullptr, row.name);
  Add(entries, key + L"\\ProxyStubClsid", nullptr, kUniversalMarshaler);
  Add(entries, key + L"\\ProxyStubClsid32", nullptr, kUniversalMarshaler);
  Add(entries, key + L"\\TypeLib", nullptr, GuidText(LIBID_TeskLumoraLib));
  Add(entries, key + L"\\TypeLib", L"Version", kTypeLibVersion);
}

// Parents come before their children, so removal walks the list backwards.
std::vector<Entry> Entries() {
  std::vector<Entry> entries;
  AddTypeLibrary(entries);
  for (const auto& row : kClasses) AddClass(entries, row);
  for (const auto& row : kInterfaces) AddInterface(entries, row);
  return entries;
}

LSTATUS OpenClassesRoot(RegistrationScope scope, UniqueHkey& root) {
  const HKEY hive = scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  return RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                         root.put(), nullptr);
}

LSTATUS Write(HKEY root, const Entry& entry) {
  UniqueHkey key;
  LSTATUS status = RegCreateKeyExW(root, entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS || !entry.hasData) return status;
  const auto bytes = static_cast<DWORD>((entry.data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), entry.name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(entry.data.c_str()), bytes);
}

bool IsEmptyKey(HKEY root, const std::wstring& path) {
  UniqueHkey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
    return false;
  }
  DWORD subKeys = 0;
  DWORD values = 0;
  return RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                          &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys == 0 && values == 0;
}

// Deletes the entry's value, then its key once nothing else is left in it.
void Remove(HKEY root, const Entry& entry) {
  if (entry.hasData) {
    UniqueHkey key;
    if (RegOpenKeyExW(root, entry.key.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.get(), entry.name);
    }
  }
  if (IsEmptyKey(root, entry.key)) RegDeleteKeyW(root, entry.key.c_str());
}

void RemoveAll(HKEY root, const std::vector<Entry>& entries) {
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) Remove(root, *entry);
}

}  // namespace

HRESULT RegisterServer(RegistrationScope scope) {
  UniqueHkey root;
  const LSTATUS opened = OpenClassesRoot(scope, root);
  if (opened != ERROR_SUCCESS) return HRESULT_FROM_WIN32(opened);
  const std::vector<Entry> entries = Entries();
  for (const auto& entry : entries) {
    const LSTATUS status = Write(root.get(), entry);
    if (status != ERROR_SUCCESS) {
      RemoveAll(root.get(), entries);
      return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

HRESULT UnregisterServer(RegistrationScope scope) {
  UniqueHkey root;
  const LSTATUS opened = OpenClassesRoot(scope, root);
  if (opened != ERROR_SUCCESS) return HRESULT_FROM_WIN32(opened);
  RemoveAll(root.get(), Entries());
  return S_OK;
}

}  // namespace tesk::win32
