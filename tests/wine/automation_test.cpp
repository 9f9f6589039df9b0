// The registered DLL driven as automation hosts drive it: creation by ProgID, QueryInterface,
// the type library's description of every operation, and late-bound calls through IDispatch.

#include <vector>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

TEST(Automation, EachClassAnswersItsInterfacesAndNothingElse) {
  auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &__uuidof(_ClsInfo),
                         &IID_ISupportErrorInfo}) {
    ComPtr<IUnknown> answer;
    EXPECT_EQ(info->QueryInterface(*iid, reinterpret_cast<void**>(answer.GetAddressOf())), S_OK);
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(info->QueryInterface(__uuidof(_clsNewRegLib), &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(info->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  ComPtr<ISupportErrorInfo> errors;
  ASSERT_EQ(info.As(&errors), S_OK);
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(__uuidof(_ClsInfo)), S_OK);
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IPersist), S_FALSE);

  // clsNewRegLib answers its earlier interface id with the current interface.
  ComPtr<IUnknown> current, earlier;
  ASSERT_EQ(SharedRegLib()->QueryInterface(__uuidof(_clsNewRegLib),
                                           reinterpret_cast<void**>(current.GetAddressOf())), S_OK);
  ASSERT_EQ(SharedRegLib()->QueryInterface(IID_clsNewRegLib___v0,
                                           reinterpret_cast<void**>(earlier.GetAddressOf())), S_OK);
  EXPECT_EQ(current.Get(), earlier.Get());
}

struct Operation {
  const wchar_t* name;
  DISPID id;
  std::vector<const wchar_t*> parameters;
  std::vector<VARTYPE> types;  // VT_BYREF marks a by-reference parameter
  VARTYPE result;              // VT_EMPTY: no result
};

const std::vector<Operation> kClsInfoOperations = {
    {L"ShowAboutUs", 0x60030001, {L"vProdName", L"vUserInfoStr", L"vVersion", L"vIsRegister"},
     {VT_BSTR, VT_BSTR, VT_BSTR, VT_BOOL}, VT_VARIANT},
    {L"ShowWhatNew", 0x60030002, {L"vWhatNew"}, {VT_BSTR}, VT_VARIANT},
    {L"ShowShortcutKeysForm", 0x60030003, {L"cList"}, {VT_BYREF | VT_BSTR}, VT_VARIANT},
    {L"ShowShortcutKey", 0x60030004, {L"vStr"}, {VT_BYREF | VT_SAFEARRAY}, VT_VARIANT},
    {L"SetSql", 0x60030005, {L"Startv"}, {VT_BYREF | VT_BOOL}, VT_BOOL},
    {L"ShowReportABug", 0x6003001C, {}, {}, VT_BSTR},
    {L"ShowReportABugPath", 0x6003001D, {}, {}, VT_BSTR},
    {L"SetProductName", 0x6003001F, {L"strPName"}, {VT_BYREF | VT_BSTR}, VT_EMPTY},
};

const std::vector<Operation> kRegLibOperations = {
    {L"GetRegKeyValue", 0x60030005, {L"SubKeyName", L"RegKeyName"},
     {VT_BYREF | VT_BSTR, VT_BYREF | VT_BSTR}, VT_BSTR},
    {L"SetRegKeyValue", 0x60030006, {L"KeyName", L"RegName", L"Value"},
     {VT_BYREF | VT_BSTR, VT_BYREF | VT_BSTR, VT_BYREF | VT_BSTR}, VT_VARIANT},
};

VARTYPE ParameterType(const TYPEDESC& type) {
  if (type.vt == VT_PTR) return VT_BYREF | type.lptdesc->vt;
  return type.vt;
}

// Checks names, dispatch ids, argument names and types, passing and result of every operation
// against what hosts compiled against the library expect.
void ExpectOperations(IDispatch* object, const std::vector<Operation>& operations) {
  ComPtr<ITypeInfo> dispatchInfo;
  ASSERT_EQ(object->GetTypeInfo(0, 0, dispatchInfo.GetAddressOf()), S_OK);
  HREFTYPE vtableRef = 0;
  ASSERT_EQ(dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatchInfo->GetRefTypeInfo(vtableRef, info.GetAddressOf()), S_OK);

  for (const auto& operation : operations) {
    SCOPED_TRACE(std::string(operation.name, operation.name + wcslen(operation.name)));
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(operation.name)};
    for (auto* parameter : operation.parameters) names.push_back(const_cast<LPOLESTR>(parameter));
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), 0,
                                    ids.data()), S_OK);
    EXPECT_EQ(ids[0], operation.id);
    for (size_t i = 1; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<DISPID>(i - 1));

    UINT index = 0;
    ComPtr<ITypeInfo2> info2;
    ASSERT_EQ(info.As(&info2), S_OK);
    ASSERT_EQ(info2->GetFuncIndexOfMemId(operation.id, INVOKE_FUNC, &index), S_OK);
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info->GetFuncDesc(index, &function), S_OK);
    const bool hasResult = operation.result != VT_EMPTY;
    ASSERT_EQ(function->cParams, static_cast<SHORT>(operation.types.size() + (hasResult ? 1 : 0)));
    for (size_t i = 0; i < operation.types.size(); ++i) {
      const ELEMDESC& parameter = function->lprgelemdescParam[i];
      EXPECT_EQ(ParameterType(parameter.tdesc), operation.types[i]) << "parameter " << i;
      const USHORT passing = parameter.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT);
      const USHORT expected = (operation.types[i] & VT_BYREF) ? PARAMFLAG_FIN | PARAMFLAG_FOUT
                                                               : PARAMFLAG_FIN;
      EXPECT_EQ(passing, expected) << "parameter " << i;
    }
    if (hasResult) {
      const ELEMDESC& result = function->lprgelemdescParam[operation.types.size()];
      EXPECT_EQ(ParameterType(result.tdesc), VT_BYREF | operation.result);
      EXPECT_TRUE(result.paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    }
    info->ReleaseFuncDesc(function);
  }
}

TEST(TypeLibrary, DescribesEveryOperationAsHostsExpect) {
  auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  ExpectOperations(info.Get(), kClsInfoOperations);
  ComPtr<IDispatch> regLib;
  ASSERT_EQ(SharedRegLib()->QueryInterface(IID_IDispatch,
                                           reinterpret_cast<void**>(regLib.GetAddressOf())), S_OK);
  ExpectOperations(regLib.Get(), kRegLibOperations);
}

TEST(TypeLibrary, HoldsTheLibraryInterfacesAndTheHiddenAlias) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(LIBID_TeskLumoraLib, 1, 1, 0, library.GetAddressOf()), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->lcid, 0u);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 1);
  EXPECT_EQ(attributes->syskind, SYS_WIN64);
  library->ReleaseTLibAttr(attributes);

  // Both views of each dual interface: the dispatch view hosts see, and the virtual table's.
  const WORD interfaceFlags =
      TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  for (const IID* iid : {&__uuidof(_ClsInfo), &__uuidof(_clsNewRegLib)}) {
    ComPtr<ITypeInfo> dispatch;
    ASSERT_EQ(library->GetTypeInfoOfGuid(*iid, dispatch.GetAddressOf()), S_OK);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtableRef, vtable.GetAddressOf()), S_OK);
    WORD flags = 0;
    for (ITypeInfo* view : {dispatch.Get(), vtable.Get()}) {
      TYPEATTR* typeAttributes = nullptr;
      ASSERT_EQ(view->GetTypeAttr(&typeAttributes), S_OK);
      flags |= typeAttributes->wTypeFlags;
      view->ReleaseTypeAttr(typeAttributes);
    }
    EXPECT_EQ(flags & interfaceFlags, interfaceFlags) << std::hex << flags;
  }

  ComPtr<ITypeInfo> alias;
  ASSERT_EQ(library->GetTypeInfoOfGuid(IID_clsNewRegLib___v0, alias.GetAddressOf()), S_OK);
  TYPEATTR* aliasAttributes = nullptr;
  ASSERT_EQ(alias->GetTypeAttr(&aliasAttributes), S_OK);
  EXPECT_EQ(aliasAttributes->typekind, TKIND_ALIAS);
  EXPECT_TRUE(aliasAttributes->wTypeFlags & TYPEFLAG_FHIDDEN);
  alias->ReleaseTypeAttr(aliasAttributes);
  Bstr name;
  EXPECT_EQ(alias->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.str(), L"clsNewRegLib___v0");
}

// The description of an error, and SetProductName leaving its argument alone, are checked by
// registry.vbs and registry.js as hosts see them.
TEST(LateBinding, ErrorsReachTheHostAsExceptionsFromTheirSource) {
  auto info = CreateByProgId<IDispatch>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  Bstr product(L"Demo"), noShortcuts(L"");
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  const HRESULT hr = CallByName(info.Get(), L"ShowShortcutKeysForm",
                                {TextRef(noShortcuts.put())}, &result, &exception);
  EXPECT_EQ(hr, DISP_E_EXCEPTION) << Hr(hr);
  EXPECT_EQ(exception.scode, static_cast<SCODE>(0x800A0009));
  EXPECT_EQ(std::wstring(exception.bstrDescription ? exception.bstrDescription : L""),
            L"Subscript out of range");
  EXPECT_EQ(std::wstring(exception.bstrSource ? exception.bstrSource : L""),
            L"TeskLumoraLib.ClsInfo");
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);

  EXPECT_EQ(CallByName(info.Get(), L"NoSuchOperation", {}, nullptr), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(CallByName(info.Get(), L"SetProductName", {}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(CallByName(info.Get(), L"SetProductName", {TextRef(product.put()), Text(nullptr)},
                       nullptr), DISP_E_BADPARAMCOUNT);
  VARIANT object;
  V_VT(&object) = VT_UNKNOWN;
  V_UNKNOWN(&object) = info.Get();
  EXPECT_EQ(CallByName(info.Get(), L"SetProductName", {object}, nullptr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(CallByName(info.Get(), L"SetProductName", {TextRef(product.put())}, nullptr), S_OK);
}

TEST(LateBinding, RewritesTheCallersKeyPathThroughTheReference) {
  ComPtr<IDispatch> regLib;
  ASSERT_EQ(SharedRegLib()->QueryInterface(IID_IDispatch,
                                           reinterpret_cast<void**>(regLib.GetAddressOf())), S_OK);
  TestKey key(L"Software\\TeskLumoraLibLateBound");
  const wchar_t data[] = L"late";
  key.SetRaw(L"Name", REG_SZ, data, sizeof data - sizeof(wchar_t));

  // A compiled host passes its string variable; scripts' variant references are driven by
  // registry.vbs.
  Bstr path(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibLateBound");
  Bstr name(L"Name");
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(CallByName(regLib.Get(), L"GetRegKeyValue", {TextRef(path.put()), TextRef(name.put())},
                       &result), S_OK);
  EXPECT_EQ(path.str(), L"Software\\TeskLumoraLibLateBound");
  ASSERT_EQ(V_VT(&result), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&result)), L"late");
  VariantClear(&result);

  // A value passed by value is coerced; there is no variable to rewrite.
  EXPECT_EQ(CallByName(regLib.Get(), L"SetRegKeyValue",
                       {Text(path.get()), Text(name.get()), Text(nullptr)}, &result), S_OK);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
}

TEST(VtableCalls, NullPointersAreRefusedAndNullStringsAreEmpty) {
  auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  _clsNewRegLib* regLib = SharedRegLib();
  ASSERT_TRUE(info && regLib);
  EXPECT_EQ(info->SetProductName(nullptr), E_POINTER);
  BSTR empty = nullptr;
  EXPECT_EQ(info->SetProductName(&empty), S_OK);
  EXPECT_EQ(info->ShowAboutUs(nullptr, nullptr, nullptr, VARIANT_TRUE, nullptr), E_POINTER);
  EXPECT_EQ(info->ShowReportABug(nullptr), E_POINTER);

  BSTR path = nullptr;
  BSTR name = nullptr;
  BSTR value = nullptr;
  Bstr result;
  EXPECT_EQ(regLib->GetRegKeyValue(nullptr, &name, result.put()), E_POINTER);
  EXPECT_EQ(regLib->GetRegKeyValue(&path, &name, nullptr), E_POINTER);
  ASSERT_EQ(regLib->GetRegKeyValue(&path, &name, result.put()), S_OK);
  EXPECT_EQ(result.str(), L"");
  EXPECT_EQ(path, nullptr) << "an unaccepted path is left exactly as it was";
  VARIANT none;
  EXPECT_EQ(regLib->SetRegKeyValue(&path, &name, &value, &none), S_OK);
  EXPECT_EQ(regLib->SetRegKeyValue(&path, &name, nullptr, &none), E_POINTER);
}

}  // namespace
}  // namespace tesk::wine_test
