#include "test_pictures.h"

#include <windows.h>
#include <olectl.h>

#include <cstring>

#include "win32/ui/win32_picture.h"

namespace tesk::tools {

button::PicturePtr MakeBitmapPicture(std::int32_t width, std::int32_t height,
                                     const std::vector<std::int32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const auto p = static_cast<std::uint32_t>(pixels[i]);
    out[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IPicture* picture = nullptr;
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE,
                                      reinterpret_cast<void**>(&picture)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  auto wrapped = std::make_shared<win32::Win32Picture>(picture);
  picture->Release();
  return wrapped;
}

std::vector<std::int32_t> BadgePixels(std::int32_t background) {
  std::vector<std::int32_t> pixels(256, background);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int dx = 2 * x - 15;
      const int dy = 2 * y - 15;
      if (dx * dx + dy * dy > 14 * 14) continue;
      const bool bar = y >= 7 && y <= 8 && x >= 4 && x <= 11;
      pixels[static_cast<size_t>(y * 16 + x)] = bar ? 0xFFFFFF : 0x2020D0;
    }
  }
  return pixels;
}

}  // namespace tesk::tools
