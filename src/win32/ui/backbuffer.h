#pragma once
// An off-screen 32-bit surface of a window's size: the button draws there and WM_PAINT copies
// it to the screen, so a face is never seen half drawn.

#include <windows.h>

#include "win32/ui/gdi_objects.h"

namespace tesk::win32 {

class Backbuffer {
 public:
  Backbuffer() : dc_(CreateCompatibleDC(nullptr)) {}
  ~Backbuffer() { Select(nullptr); }
  Backbuffer(const Backbuffer&) = delete;
  Backbuffer& operator=(const Backbuffer&) = delete;

  HDC Dc() const { return dc_.get(); }
  // A new bitmap of the size; the old one is released.
  void Resize(LONG width, LONG height);

 private:
  // Selects `bitmap`, or puts back the bitmap the memory context came with.
  void Select(HGDIOBJ bitmap);
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ displaced_ = nullptr;
};

}  // namespace tesk::win32
