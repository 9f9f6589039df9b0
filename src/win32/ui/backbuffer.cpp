#include "win32/ui/backbuffer.h"

#include <algorithm>

namespace tesk::win32 {

void Backbuffer::Resize(LONG width, LONG height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), std::max(width, 1L), -std::max(height, 1L), 1, 32,
                    BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  Select(bitmap.get());
  bitmap_ = std::move(bitmap);
}

void Backbuffer::Select(HGDIOBJ bitmap) {
  if (!displaced_ && bitmap) {
    displaced_ = SelectObject(dc_.get(), bitmap);
  } else {
    SelectObject(dc_.get(), bitmap ? bitmap : displaced_);
  }
}

}  // namespace tesk::win32
