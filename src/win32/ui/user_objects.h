#pragma once
// USER objects a form owns: its window (destroyed with its children) and the icons it loaded.

#include <windows.h>

#include "win32/system/unique_resource.h"

namespace tesk::win32 {

struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON icon) { DestroyIcon(icon); }
};
struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND window) { DestroyWindow(window); }
};

using UniqueIcon = UniqueResource<HICON, IconTraits>;
using UniqueWindow = UniqueResource<HWND, WindowTraits>;

}  // namespace tesk::win32
