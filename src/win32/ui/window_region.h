#pragma once
// The window region of a cmd button's shape, as SetWindowRgn takes it.

#include <windows.h>

#include "button/layout.h"

namespace tesk::win32 {

// A new region the caller hands to SetWindowRgn, which then owns it; null if GDI refuses one.
HRGN CreateWindowRegion(const button::WindowShape& shape);

}  // namespace tesk::win32
