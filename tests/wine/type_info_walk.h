#pragma once
// The methods of an interface as its type information describes them, and well-formed
// arguments for any of them, so that tests calling every method need no list of their own.

#include <deque>
#include <string>
#include <vector>

#include "wine_test_support.h"

namespace tesk::wine_test {

struct Parameter {
  std::wstring name;
  VARTYPE type;  // as a variant carries it: VT_BYREF for a pointer, VT_ARRAY for a SAFEARRAY
  USHORT flags;  // PARAMFLAG_*
};

struct Method {
  std::wstring name;
  MEMBERID id;
  INVOKEKIND kind;
  UINT slot;  // in the virtual table
  VARTYPE returns;
  std::vector<Parameter> parameters;  // the [retval] included

  // What a late-bound caller passes (every parameter but the [retval]) and gets back.
  UINT Arguments() const;
  VARTYPE Result() const;  // VT_EMPTY when there is none
};

// The interface's own methods (not the inherited ones), in virtual-table order.
std::vector<Method> MethodsOf(ITypeInfo* info);
// The virtual-table half of the dual interface behind an object's IDispatch.
ComPtr<ITypeInfo> VtableInfo(IDispatch* object);

// An argument for every parameter of a method: `text` for each string, a table of one shortcut
// for each array, false for each flag. What the by-reference ones point at lives as long as this.
class WellFormedArguments : NoCopy {
 public:
  WellFormedArguments(const Method& method, const std::wstring& text);
  ~WellFormedArguments();

  // As the virtual table takes them, in parameter order with the [retval].
  std::vector<VARIANTARG>& Values() { return values_; }
  // As IDispatch::Invoke takes them: without the [retval], the last first.
  DISPPARAMS LateBound();

 private:
  std::deque<VARIANT> variables_;
  std::vector<VARIANTARG> values_;
  std::vector<VARIANTARG> reversed_;
  UINT arguments_;
};

}  // namespace tesk::wine_test
