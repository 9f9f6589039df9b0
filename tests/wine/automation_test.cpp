// The registered DLL as automation hosts see it: QueryInterface, errors through IDispatch and
// null strings through the virtual table. The type library's description of every operation is
// type_library_test.cpp's; null pointers and random late-bound calls are
// automation_fuzz_test.cpp's; scripts' by-reference and by-value variables are registry.vbs's
// and registry.js's.

#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

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

TEST(LateBinding, ErrorsReachTheHostAsExceptionsFromTheirSource) {
  auto info = CreateByProgId<IDispatch>(L"TeskLumoraLib.ClsInfo");
  ASSERT_TRUE(info);
  Bstr product(L"Demo"), noShortcuts(L"");
  Variant result;
  Exception exception;
  const HRESULT hr = CallByName(info.Get(), L"ShowShortcutKeysForm",
                                {TextRef(noShortcuts.put())}, &result, &exception);
  EXPECT_EQ(hr, DISP_E_EXCEPTION) << Hr(hr);
  EXPECT_EQ(exception.scode, static_cast<SCODE>(0x800A0009));
  EXPECT_STREQ(exception.bstrDescription, L"Subscript out of range");
  EXPECT_STREQ(exception.bstrSource, L"TeskLumoraLib.ClsInfo");

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
