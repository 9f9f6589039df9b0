#include "win32/automation/text_arrays.h"

#include <new>
#include <vector>

#include "win32/automation/error_info.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

// The array's data, locked for as long as the object lives.
class ArrayData {
 public:
  explicit ArrayData(SAFEARRAY* array) : array_(array) {
    if (FAILED(SafeArrayAccessData(array, &data_))) {
      throw AutomationError(E_INVALIDARG, "The array cannot be read.");
    }
  }
  ~ArrayData() { SafeArrayUnaccessData(array_); }
  ArrayData(const ArrayData&) = delete;
  ArrayData& operator=(const ArrayData&) = delete;

  void* Element(std::size_t index) const {
    return static_cast<char*>(data_) + index * SafeArrayGetElemsize(array_);
  }

 private:
  SAFEARRAY* array_;
  void* data_ = nullptr;
};

struct Bounds {
  LONG low = 0, high = -1;
  std::size_t Count() const { return high < low ? 0 : static_cast<std::size_t>(high - low) + 1; }
};

Bounds BoundsOf(SAFEARRAY* array, UINT dimension) {
  Bounds bounds;
  if (FAILED(SafeArrayGetLBound(array, dimension, &bounds.low)) ||
      FAILED(SafeArrayGetUBound(array, dimension, &bounds.high))) {
    throw AutomationError(E_INVALIDARG, "The array's bounds cannot be read.");
  }
  return bounds;
}

UniqueSafeArray CreateTextArray(const std::vector<SAFEARRAYBOUND>& bounds) {
  UniqueSafeArray array(SafeArrayCreate(VT_BSTR, static_cast<UINT>(bounds.size()),
                                        const_cast<SAFEARRAYBOUND*>(bounds.data())));
  if (!array) throw std::bad_alloc();
  return array;
}

bool IsMalformedElement(VARTYPE type, const void* element) {
  if (type == VT_DECIMAL) return IsMalformedDecimal(*static_cast<const DECIMAL*>(element));
  const auto* value = static_cast<const VARIANT*>(element);
  return type == VT_VARIANT && V_VT(value) == VT_DECIMAL && IsMalformedDecimal(V_DECIMAL(value));
}

// An element of type `type` as text, converted as Visual Basic converts a value: True and
// False as words, numbers in the user's format.
BSTR ElementAsText(VARTYPE type, void* element) {
  if (IsMalformedElement(type, element)) throw AutomationError(kTypeMismatch, "Type mismatch");
  VARIANT reference;
  VariantInit(&reference);
  V_VT(&reference) = static_cast<VARTYPE>(VT_BYREF | type);
  V_BYREF(&reference) = element;
  VARIANT text;
  VariantInit(&text);
  const HRESULT hr =
      VariantChangeTypeEx(&text, &reference, LOCALE_USER_DEFAULT, VARIANT_ALPHABOOL, VT_BSTR);
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) throw AutomationError(kTypeMismatch, "Type mismatch");
  return V_BSTR(&text);
}

VARTYPE ElementType(SAFEARRAY* array) {
  VARTYPE type = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &type))) throw AutomationError(kTypeMismatch, "Type mismatch");
  return type;
}

void RefuseAsSubscript() {
  throw windows::ShortcutListError(windows::ShortcutListError::kSubscriptOutOfRange);
}

}  // namespace

bool IsMalformedDecimal(const DECIMAL& value) {
  return value.scale > 28 || (value.sign & ~DECIMAL_NEG) != 0;
}

UniqueSafeArray TextArrayOf(SAFEARRAY* array) {
  const UINT dimensions = SafeArrayGetDim(array);
  std::vector<SAFEARRAYBOUND> bounds;
  std::size_t elements = 1;
  for (UINT dimension = 1; dimension <= dimensions; ++dimension) {
    const Bounds b = BoundsOf(array, dimension);
    bounds.push_back({static_cast<ULONG>(b.Count()), b.low});
    elements *= b.Count();
  }
  const VARTYPE type = ElementType(array);
  UniqueSafeArray texts = CreateTextArray(bounds);
  const ArrayData from(array);
  const ArrayData to(texts.get());
  for (std::size_t index = 0; index < elements; ++index) {
    *static_cast<BSTR*>(to.Element(index)) = ElementAsText(type, from.Element(index));
  }
  return texts;
}

windows::ShortcutTable ShortcutTableFromArray(SAFEARRAY* array) {
  if (!array || SafeArrayGetDim(array) != 2) RefuseAsSubscript();
  const Bounds rows = BoundsOf(array, 1);
  if (BoundsOf(array, 2).Count() < 3) RefuseAsSubscript();

  UniqueSafeArray converted;
  if (ElementType(array) != VT_BSTR) {
    converted = TextArrayOf(array);
    array = converted.get();
  }
  // Automation arrays keep the first dimension's elements next to each other.
  const ArrayData data(array);
  const auto text = [&](std::size_t row, std::size_t column) {
    return Utf8FromBstr(*static_cast<BSTR*>(data.Element(column * rows.Count() + row)));
  };
  windows::ShortcutTable table;
  table.reserve(rows.Count());
  for (std::size_t row = 0; row < rows.Count(); ++row) {
    table.push_back({text(row, 0), text(row, 1), text(row, 2)});
  }
  return table;
}

UniqueSafeArray ArrayFromShortcutTable(const windows::ShortcutTable& table) {
  UniqueSafeArray array = CreateTextArray({{static_cast<ULONG>(table.size()), 0}, {3, 0}});
  const ArrayData data(array.get());
  const auto put = [&](std::size_t row, std::size_t column, const std::string& text) {
    *static_cast<BSTR*>(data.Element(column * table.size() + row)) = BstrFromUtf8(text);
  };
  for (std::size_t row = 0; row < table.size(); ++row) {
    put(row, 0, table[row].mainMenu);
    put(row, 1, table[row].menuItem);
    put(row, 2, table[row].keys);
  }
  return array;
}

}  // namespace tesk::win32
