#include "platform/win32/variant_references.h"

#include <oleauto.h>

namespace tesk::win32 {
namespace {

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

// Which parameter the argument at `index` of rgvarg stands for; -1 when it is not one.
int ParameterIndex(const DISPPARAMS& params, UINT index) {
  if (index < params.cNamedArgs) return static_cast<int>(params.rgdispidNamedArgs[index]);
  return static_cast<int>(params.cArgs - 1 - index);
}

void Adapt(const FUNCDESC& function, const DISPPARAMS& params, std::vector<VARIANTARG>& args) {
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

bool FindFunction(ITypeInfo& typeInfo, DISPID id, FUNCDESC*& found) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(typeInfo.GetTypeAttr(&attributes))) return false;
  const WORD count = attributes->cFuncs;
  typeInfo.ReleaseTypeAttr(attributes);
  for (UINT index = 0; index < count; ++index) {
    FUNCDESC* function = nullptr;
    if (FAILED(typeInfo.GetFuncDesc(index, &function))) continue;
    if (function->memid == id) {
      found = function;
      return true;
    }
    typeInfo.ReleaseFuncDesc(function);
  }
  return false;
}

}  // namespace

bool HasVariantReferences(const DISPPARAMS& params) {
  for (UINT index = 0; index < params.cArgs; ++index) {
    if (IsVariantReference(params.rgvarg[index])) return true;
  }
  return false;
}

std::vector<VARIANTARG> AdaptVariantReferences(ITypeInfo& typeInfo, DISPID id,
                                               const DISPPARAMS& params) {
  std::vector<VARIANTARG> args(params.rgvarg, params.rgvarg + params.cArgs);
  FUNCDESC* function = nullptr;
  if (FindFunction(typeInfo, id, function)) {
    Adapt(*function, params, args);
    typeInfo.ReleaseFuncDesc(function);
  }
  return args;
}

}  // namespace tesk::win32
