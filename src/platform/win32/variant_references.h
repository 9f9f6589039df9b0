#pragma once
// Script hosts such as VBScript pass every variable as a reference to a VARIANT, which the type
// information's Invoke refuses for a typed by-reference parameter (BSTR*, VARIANT_BOOL*). Where
// the variable holds exactly the parameter's type, the argument is re-pointed at the value inside
// the variable, so the call works and rewrites the script's variable as it would a compiled
// host's.

#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace tesk::win32 {

// True when some argument is a reference to a VARIANT, the only case that needs adapting.
bool HasVariantReferences(const DISPPARAMS& params);

// A copy of the argument array (sharing, not owning, every value) with the references to
// variables of a by-reference parameter's exact type re-pointed at the values they hold.
std::vector<VARIANTARG> AdaptVariantReferences(ITypeInfo& typeInfo, DISPID id,
                                               const DISPPARAMS& params);

}  // namespace tesk::win32
