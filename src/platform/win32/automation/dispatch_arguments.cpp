#include "platform/win32/automation/dispatch_arguments.h"

#include <oleauto.h>

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

void AdaptVariantReferences(const FUNCDESC& function, const DISPPARAMS& params,
                            std::vector<VARIANTARG>& args) {
  for (UINT index = 0; index < args.size(); ++index) {
    VARIANTARG& argument = args[index];
    const int parameter = ParameterIndex(params, index);
    if (!IsVariantReference(argument) || parameter < 0 || parameter >= function.cParams) {
      continue;
    }
    const VARTYPE wanted = ReferencedType(function.lprgelemdescParam[parameter]);
    VARIANT* variable = V_VARIANTREF(&argument);
    if (wanted == VT_EMPTY || V_VT(variable) != wanted) continue;
    V_VT(&argument) = VT_BYREF | wanted;
    V_BYREF(&argument) = &V_BSTR(variable);  // every member of the union starts here
  }
}

bool HasVariantReferences(const DISPPARAMS& params) {
  for (UINT index = 0; index < params.cArgs; ++index) {
    if (IsVariantReference(params.rgvarg[index])) return true;
  }
  return false;
}

}  // namespace

HRESULT PrepareArguments(ITypeInfo& typeInfo, DISPID id, DISPPARAMS& params,
                         std::vector<VARIANTARG>& storage) {
  const FunctionDescription function(typeInfo, id);
  if (!function.get()) return S_OK;  // Invoke itself reports the unknown member
  if (params.cArgs > ArgumentsAccepted(*function.get())) return DISP_E_BADPARAMCOUNT;
  if (!HasVariantReferences(params)) return S_OK;
  storage.assign(params.rgvarg, params.rgvarg + params.cArgs);
  AdaptVariantReferences(*function.get(), params, storage);
  params.rgvarg = storage.data();
  return S_OK;
}

}  // namespace tesk::win32
