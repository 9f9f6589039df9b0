#pragma once
// What a late-bound call's arguments need before the type information's Invoke takes them.
//
// Too many arguments are refused with DISP_E_BADPARAMCOUNT, as Windows does (Wine's Invoke lets
// them through). Script hosts such as VBScript pass every variable as a reference to a VARIANT,
// which Invoke refuses for a typed by-reference parameter (BSTR*, VARIANT_BOOL*); where the
// variable holds exactly the parameter's type, the argument is re-pointed at the value inside
// the variable, so the call works and rewrites the script's variable as it would a compiled
// host's.

#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace tesk::win32 {

// On success `params` may point its arguments at `storage`, a copy that shares (does not own)
// the caller's values.
HRESULT PrepareArguments(ITypeInfo& typeInfo, DISPID id, DISPPARAMS& params,
                         std::vector<VARIANTARG>& storage);

}  // namespace tesk::win32
