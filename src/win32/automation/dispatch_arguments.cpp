#include "win32/automation/dispatch_arguments.h"

#include <oleauto.h>

#include "win32/automation/error_info.h"
#include "win32/automation/text_arrays.h"

namespace tesk::win32 {
namespace {

// Hands back a function description and releases it when the call is done.
class FunctionDescription {
 public:
  FunctionDescription(ITypeInfo& typeInfo, DISPID id) : typeInfo_(typeInfo) {
    ITypeInfo2* indexed = nullptr;
    if (FAILED(typeInfo.QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&indexed)))) {
      return;
    }
    UINT index = 0;
    const HRESULT found = indexed->GetFuncIndexOfMemId(id, INVOKE_FUNC, &index);
    indexed->Release();
    if (SUCCEEDED(found) && FAILED(typeInfo.GetFuncDesc(index, &function_))) function_ = nullptr;
  }
  ~FunctionDescription() {
    if (function_) typeInfo_.ReleaseFuncDesc(function_);
  }
  FunctionDescription(const FunctionDescription&) = delete;
  FunctionDescription& operator=(const FunctionDescription&) = delete;

  const FUNCDESC* get() const { return function_; }

 private:
  ITypeInfo& typeInfo_;
  FUNCDESC* function_ = nullptr;
};

UINT ArgumentsAccepted(const FUNCDESC& function) {
  const SHORT count = function.cParams;
  const bool hasResult =
      count > 0 && (function.lprgelemdescParam[count - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
  return static_cast<UINT>(count - (hasResult ? 1 : 0));
}

bool IsVariantReference(const VARIANTARG& argument) {
  return V_VT(&argument) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&argument) != nullptr;
}

// The type a by-reference parameter points to, as a VARIANT would carry it; VT_EMPTY otherwise.
VARTYPE ReferencedType(const ELEMDESC& parameter) {
  const TYPEDESC& type = parameter.tdesc;
  if (type.vt != VT_PTR || !type.lptdesc) return VT_EMPTY;
  const TYPEDESC& target = *type.lptdesc;
  if (target.vt == VT_SAFEARRAY) return target.lptdesc ? VT_ARRAY | target.lptdesc->vt : VT_EMPTY;
  if (target.vt == VT_VARIANT || target.vt == VT_PTR || target.vt == VT_USERDEFINED) {
    return VT_EMPTY;
  }
  return target.vt;
}

// Which parameter the argument at `index` of rgvarg stands for.
int ParameterIndex(const DISPPARAMS& params, UINT index) {
  if (index < params.cNamedArgs) return static_cast<int>(params.rgdispidNamedArgs[index]);
  return static_cast<int>(params.cArgs - 1 - index);
}

// The array an argument holds, directly or by reference, through a variable or not.
SAFEARRAY* HeldArray(const VARIANTARG& argument) {
  const VARIANTARG* value = IsVariantReference(argument) ? V_VARIANTREF(&argument) : &argument;
  if (!(V_VT(value) & VT_ARRAY)) return nullptr;
  if (V_VT(value) & VT_BYREF) return V_ARRAYREF(value) ? *V_ARRAYREF(value) : nullptr;
  return V_ARRAY(value);
}

// An array for a text-array parameter: one of text is passed on, any other converted.
// False when an element has no text.
bool AdaptArray(VARIANTARG& argument, SAFEARRAY* array, ArgumentStorage& storage) {
  VARTYPE type = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &type)) || type != VT_BSTR) {
    try {
      storage.converted.push_back(TextArrayOf(array));
    } catch (const AutomationError&) {
      return false;
    }
    array = storage.converted.back().get();
  }
  storage.arrays.push_back(array);
  V_VT(&argument) = VT_BYREF | VT_ARRAY | VT_BSTR;
  V_ARRAYREF(&argument) = &storage.arrays.back();
  return true;
}

HRESULT AdaptArguments(const FUNCDESC& function, const DISPPARAMS& params,
                       ArgumentStorage& storage, UINT* argumentError) {
  std::vector<VARIANTARG>& args = storage.arguments;
  for (UINT index = 0; index < args.size(); ++index) {
    VARIANTARG& argument = args[index];
    const int parameter = ParameterIndex(params, index);
    if (parameter < 0 || parameter >= function.cParams) continue;
    const VARTYPE wanted = ReferencedType(function.lprgelemdescParam[parameter]);
    if (wanted == (VT_ARRAY | VT_BSTR)) {
      SAFEARRAY* array = HeldArray(argument);
      if (!array || V_VT(&argument) == (VT_BYREF | VT_ARRAY | VT_BSTR)) continue;
      if (!AdaptArray(argument, array, storage)) {
        if (argumentError) *argumentError = index;
        return DISP_E_TYPEMISMATCH;
      }
      continue;
    }
    if (!IsVariantReference(argument)) continue;
    VARIANT* variable = V_VARIANTREF(&argument);
    if (wanted == VT_EMPTY || V_VT(variable) != wanted) continue;
    V_VT(&argument) = VT_BYREF | wanted;
    V_BYREF(&argument) = &V_BSTR(variable);  // every member of the union starts here
  }
  return S_OK;
}

// What the type information's conversions must not be given, itself or inside a variant it
// refers to: a reference with nothing behind it, which they would follow, or a DECIMAL that is
// no number.
bool IsMalformed(const VARIANTARG& argument, int depth = 0) {
  const VARTYPE type = V_VT(&argument);
  if (type == VT_DECIMAL) return IsMalformedDecimal(V_DECIMAL(&argument));
  if (!(type & VT_BYREF)) return false;
  if (!V_BYREF(&argument)) return true;
  if (type == (VT_BYREF | VT_DECIMAL)) return IsMalformedDecimal(*V_DECIMALREF(&argument));
  return type == (VT_BYREF | VT_VARIANT) && depth < 2 &&
         IsMalformed(*V_VARIANTREF(&argument), depth + 1);
}

bool NeedsAdapting(const DISPPARAMS& params) {
  for (UINT index = 0; index < params.cArgs; ++index) {
    const VARIANTARG& argument = params.rgvarg[index];
    if (IsVariantReference(argument) || (V_VT(&argument) & VT_ARRAY)) return true;
  }
  return false;
}

}  // namespace

HRESULT PrepareArguments(ITypeInfo& typeInfo, DISPID id, DISPPARAMS& params,
                         ArgumentStorage& storage, UINT* argumentError) {
  const FunctionDescription function(typeInfo, id);
  if (!function.get()) return S_OK;  // Invoke itself reports the unknown member
  if (params.cArgs > ArgumentsAccepted(*function.get())) return DISP_E_BADPARAMCOUNT;
  for (UINT index = 0; index < params.cArgs; ++index) {
    if (IsMalformed(params.rgvarg[index])) return E_INVALIDARG;
  }
  if (!NeedsAdapting(params)) return S_OK;
  storage.arguments.assign(params.rgvarg, params.rgvarg + params.cArgs);
  params.rgvarg = storage.arguments.data();
  return AdaptArguments(*function.get(), params, storage, argumentError);
}

}  // namespace tesk::win32
