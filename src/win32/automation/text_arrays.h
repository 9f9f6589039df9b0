#pragma once
// Automation arrays of text: the shortcut table a host passes (two dimensions, any lower
// bounds, rows by columns), and arrays of other element types, such as script hosts' arrays
// of variants, turned into arrays of text as automation converts each value.

#include <windows.h>
#include <oleauto.h>

#include "win32/system/unique_resource.h"
#include "windows/shortcut_table.h"

namespace tesk::win32 {

// The same shape as `array`, every element converted to text. Throws AutomationError
// (kTypeMismatch) for an element that has no text, such as Null, an object or a DECIMAL
// that is no number.
UniqueSafeArray TextArrayOf(SAFEARRAY* array);

// A DECIMAL that is no number: a scale beyond 28, or sign bits besides the sign. Wine's
// conversion of one to text reads outside its buffers, so none is handed to a conversion.
bool IsMalformedDecimal(const DECIMAL& value);

// Rows from each first-dimension index, lowest first; the columns are the three lowest of the
// second dimension. Throws ShortcutListError (kSubscriptOutOfRange) for no array, one that is
// not two-dimensional or has fewer than three columns; AutomationError as TextArrayOf.
windows::ShortcutTable ShortcutTableFromArray(SAFEARRAY* array);

// Rows 0 to n - 1 by columns 0 to 2.
UniqueSafeArray ArrayFromShortcutTable(const windows::ShortcutTable& table);

}  // namespace tesk::win32
