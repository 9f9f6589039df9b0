// The registered DLL as automation hosts see it: QueryInterface, the type library's description
// of every operation, errors through IDispatch and null strings through the virtual table. Null
// pointers and random late-bound calls are automation_fuzz_test.cpp's; scripts' by-reference and
// by-value variables are registry.vbs's and registry.js's.

#include <vector>

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

ComPtr<IDispatch> RegLibDispatch() {
  ComPtr<IDispatch> regLib;
  EXPECT_EQ(SharedRegLib()->QueryInterface(IID_PPV_ARGS(&regLib)), S_OK);
  return regLib;
}

TEST(Automation, EachClassAnswersItsInterfacesAndNothingElse) {
  auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  ComPtr<IUnknown> answer;
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &__uuidof(_ClsInfo),
                         &IID_ISupportErrorInfo}) {
    EXPECT_EQ(info->QueryInterface(*iid, &answer), S_OK);
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
  ASSERT_EQ(SharedRegLib()->QueryInterface(__uuidof(_clsNewRegLib), &current), S_OK);
  ASSERT_EQ(SharedRegLib()->QueryInterface(IID_clsNewRegLib___v0, &earlier), S_OK);
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

VARTYPE ParameterType(const ELEMDESC& element) {
  const TYPEDESC& type = element.tdesc;
  return type.vt == VT_PTR ? VT_BYREF | type.lptdesc->vt : type.vt;
}

void ExpectOperation(IDispatch* object, ITypeInfo2* info, const Operation& operation) {
  std::vector<LPOLESTR> names{const_cast<LPOLESTR>(operation.name)};
  for (auto* parameter : operation.parameters) names.push_back(const_cast<LPOLESTR>(parameter));
  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), 0,
                                  ids.data()), S_OK);
  EXPECT_EQ(ids[0], operation.id);
  for (size_t i = 1; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<DISPID>(i - 1));

  UINT index = 0;
  FUNCDESC* function = nullptr;
  ASSERT_EQ(info->GetFuncIndexOfMemId(operation.id, INVOKE_FUNC, &index), S_OK);
  ASSERT_EQ(info->GetFuncDesc(index, &function), S_OK);
  const size_t count = operation.types.size();
  const bool hasResult = operation.result != VT_EMPTY;
  EXPECT_EQ(function->cParams, static_cast<SHORT>(count + (hasResult ? 1 : 0)));
  for (size_t i = 0; i < count && i < static_cast<size_t>(function->cParams); ++i) {
    const ELEMDESC& parameter = function->lprgelemdescParam[i];
    const bool byReference = operation.types[i] & VT_BYREF;
    EXPECT_EQ(ParameterType(parameter), operation.types[i]) << "parameter " << i;
    EXPECT_EQ(parameter.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT),
              byReference ? PARAMFLAG_FIN | PARAMFLAG_FOUT : PARAMFLAG_FIN) << "parameter " << i;
  }
  if (hasResult && function->cParams == static_cast<SHORT>(count + 1)) {
    const ELEMDESC& result = function->lprgelemdescParam[count];
    EXPECT_EQ(ParameterType(result), VT_BYREF | operation.result);
    EXPECT_TRUE(result.paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
  }
  info->ReleaseFuncDesc(function);
}

// Names, dispatch ids, argument names and types, passing and result of every operation as hosts
// compiled against the library expect them, on a dual interface that automation can marshal.
void ExpectOperations(IDispatch* object, const std::vector<Operation>& operations) {
  ComPtr<ITypeInfo> dispatchInfo, vtableInfo;
  HREFTYPE vtable = 0;
  ASSERT_EQ(object->GetTypeInfo(0, 0, &dispatchInfo), S_OK);
  ASSERT_EQ(dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable), S_OK);
  ASSERT_EQ(dispatchInfo->GetRefTypeInfo(vtable, &vtableInfo), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(vtableInfo->GetTypeAttr(&attributes), S_OK);
  const WORD dual = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION;
  EXPECT_EQ(attributes->wTypeFlags & dual, dual);
  vtableInfo->ReleaseTypeAttr(attributes);
  ComPtr<ITypeInfo2> info;
  ASSERT_EQ(vtableInfo.As(&info), S_OK);
  for (const auto& operation : operations) {
    SCOPED_TRACE(std::string(operation.name, operation.name + wcslen(operation.name)));
    ExpectOperation(object, info.Get(), operation);
  }
}

TEST(TypeLibrary, DescribesEveryOperationAsHostsExpect) {
  auto info = CreateByProgId<IDispatch>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  ExpectOperations(info.Get(), kClsInfoOperations);
  ExpectOperations(RegLibDispatch().Get(), kRegLibOperations);

  // The earlier interface id has type information, for the marshaller to find.
  ComPtr<ITypeLib> library;
  ComPtr<ITypeInfo> earlier;
  ASSERT_EQ(LoadRegTypeLib(LIBID_TeskLumoraLib, 1, 1, 0, &library), S_OK);
  EXPECT_EQ(library->GetTypeInfoOfGuid(IID_clsNewRegLib___v0, &earlier), S_OK);
}

TEST(LateBinding, ErrorsReachTheHostAsExceptionsFromTheirSource) {
  auto info = CreateByProgId<IDispatch>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  Bstr product(L"Demo"), noShortcuts(L""), description, source;
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  const HRESULT hr = CallByName(info.Get(), L"ShowShortcutKeysForm",
                                {TextRef(noShortcuts.put())}, &result, &exception);
  *description.put() = exception.bstrDescription;
  *source.put() = exception.bstrSource;
  SysFreeString(exception.bstrHelpFile);
  EXPECT_EQ(hr, DISP_E_EXCEPTION) << Hr(hr);
  EXPECT_EQ(exception.scode, static_cast<SCODE>(0x800A0009));
  EXPECT_EQ(description.str(), L"Subscript out of range");
  EXPECT_EQ(source.str(), L"TeskLumoraLib.ClsInfo");

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

// A null BSTR is empty text: an empty product name, an empty path that is refused and left as
// it was.
TEST(VtableCalls, NullStringsAreEmptyText) {
  auto info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  BSTR product = nullptr, path = nullptr, name = nullptr, value = nullptr;
  EXPECT_EQ(info->SetProductName(&product), S_OK);
  EXPECT_EQ(info->SetProductName(nullptr), E_POINTER);
  Bstr result;
  ASSERT_EQ(SharedRegLib()->GetRegKeyValue(&path, &name, result.put()), S_OK);
  EXPECT_EQ(result.str(), L"");
  EXPECT_EQ(path, nullptr);
  VARIANT none;
  EXPECT_EQ(SharedRegLib()->SetRegKeyValue(&path, &name, &value, &none), S_OK);
  EXPECT_EQ(path, nullptr);
}

}  // namespace
}  // namespace tesk::wine_test
