#include "type_info_walk.h"

#include <iterator>

namespace tesk::wine_test {
namespace {

std::wstring Take(BSTR text) {
  std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : L"";
  SysFreeString(text);
  return taken;
}

// As a variant carries a value of the type.
VARTYPE VariantType(const TYPEDESC& type) {
  if (type.vt == VT_PTR) return VT_BYREF | VariantType(*type.lptdesc);
  if (type.vt == VT_SAFEARRAY) return VT_ARRAY | VariantType(*type.lptdesc);
  return type.vt;
}

Method MethodAt(ITypeInfo& info, UINT index) {
  FUNCDESC* function = nullptr;
  if (FAILED(info.GetFuncDesc(index, &function))) {
    ADD_FAILURE() << "no function " << index;
    return {};
  }
  std::vector<BSTR> names(function->cParams + 1);
  UINT named = 0;
  info.GetNames(function->memid, names.data(), UINT(names.size()), &named);
  Method method{Take(names[0]), function->memid, function->invkind,
                UINT(function->oVft / sizeof(void*)), VariantType(function->elemdescFunc.tdesc),
                {}};
  for (SHORT i = 0; i < function->cParams; ++i) {
    const ELEMDESC& parameter = function->lprgelemdescParam[i];
    method.parameters.push_back({Take(names[i + 1]), VariantType(parameter.tdesc),
                                 parameter.paramdesc.wParamFlags});
  }
  info.ReleaseFuncDesc(function);
  return method;
}

void Fill(VARIANT& variable, VARTYPE type, const std::wstring& text) {
  V_VT(&variable) = type;
  switch (type) {
    case VT_BSTR: V_BSTR(&variable) = SysAllocStringLen(text.data(), UINT(text.size())); break;
    case VT_BOOL: V_BOOL(&variable) = VARIANT_FALSE; break;
    case VT_ARRAY | VT_BSTR: V_ARRAY(&variable) = TextTable({{L"File", L"Open", L"Ctrl+O"}}); break;
    case VT_VARIANT: V_VT(&variable) = VT_EMPTY; break;
    default: ADD_FAILURE() << "no argument of type " << Hr(type);
  }
}

}  // namespace

UINT Method::Arguments() const {
  const bool result = !parameters.empty() && (parameters.back().flags & PARAMFLAG_FRETVAL);
  return UINT(parameters.size() - (result ? 1 : 0));
}

VARTYPE Method::Result() const {
  return Arguments() < parameters.size() ? parameters.back().type & ~VT_BYREF : VT_EMPTY;
}

std::vector<Method> MethodsOf(ITypeInfo* info) {
  std::vector<Method> methods;
  TYPEATTR* attributes = nullptr;
  if (!info || FAILED(info->GetTypeAttr(&attributes))) return methods;
  for (UINT i = 0; i < attributes->cFuncs; ++i) methods.push_back(MethodAt(*info, i));
  info->ReleaseTypeAttr(attributes);
  return methods;
}

ComPtr<ITypeInfo> VtableInfo(IDispatch* object) {
  ComPtr<ITypeInfo> dispatch, vtable;
  HREFTYPE dual = 0;
  if (FAILED(object->GetTypeInfo(0, 0, &dispatch)) ||
      FAILED(dispatch->GetRefTypeOfImplType(UINT(-1), &dual)) ||
      FAILED(dispatch->GetRefTypeInfo(dual, &vtable))) {
    ADD_FAILURE() << "no virtual-table type information";
  }
  return vtable;
}

WellFormedArguments::WellFormedArguments(const Method& method, const std::wstring& text)
    : arguments_(method.Arguments()) {
  for (const Parameter& parameter : method.parameters) {
    VARIANTARG& value = values_.emplace_back();
    if (!(parameter.type & VT_BYREF)) {
      Fill(value, parameter.type, text);
      continue;
    }
    const VARTYPE type = parameter.type & ~VT_BYREF;
    VARIANT& variable = variables_.emplace_back();
    Fill(variable, type, text);
    V_VT(&value) = parameter.type;
    V_BYREF(&value) = type == VT_VARIANT ? static_cast<void*>(&variable) : &V_BSTR(&variable);
  }
}

WellFormedArguments::~WellFormedArguments() {
  for (VARIANTARG& value : values_) VariantClear(&value);
  for (VARIANT& variable : variables_) VariantClear(&variable);
}

DISPPARAMS WellFormedArguments::LateBound() {
  reversed_.assign(std::make_reverse_iterator(values_.begin() + arguments_), values_.rend());
  return {reversed_.data(), nullptr, arguments_, 0};
}

}  // namespace tesk::wine_test
