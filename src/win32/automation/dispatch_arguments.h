#pragma once
// What a late-bound call's arguments need before the type information's Invoke takes them.
//
// Too many arguments are refused with DISP_E_BADPARAMCOUNT, as Windows does (Wine's Invoke lets
// them through). Script hosts such as VBScript pass every variable as a reference to a VARIANT,
// which Invoke refuses for a typed by-reference parameter (BSTR*, VARIANT_BOOL*); where the
// variable holds exactly the parameter's type, the argument is re-pointed at the value inside
// the variable, so the call works and rewrites the script's variable as it would a compiled
// host's.
// An array of another element type (a script's array of variants) given for an array of
// text is converted into one, element by element, and the call gets the converted copy.
// A by-reference argument with a NULL pointer (no variable at all) or a DECIMAL that is no
// number, itself or inside the variant it refers to, is refused with E_INVALIDARG before
// Invoke's conversions would read it.

#include <windows.h>
#include <oaidl.h>

#include <deque>
#include <vector>

#include "win32/system/unique_resource.h"

namespace tesk::win32 {

// What prepared arguments point at; it must outlive the call.
struct ArgumentStorage {
  std::vector<VARIANTARG> arguments;  // shares (does not own) the caller's values
  std::deque<SAFEARRAY*> arrays;      // where by-reference arrays point
  std::vector<UniqueSafeArray> converted;
};

// On success `params` may point its arguments at `storage`. DISP_E_TYPEMISMATCH, with the
// argument's index in `argumentError`, for an array with an element that has no text.
HRESULT PrepareArguments(ITypeInfo& typeInfo, DISPID id, DISPPARAMS& params,
                         ArgumentStorage& storage, UINT* argumentError);

}  // namespace tesk::win32
