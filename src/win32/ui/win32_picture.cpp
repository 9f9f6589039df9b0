#include "win32/ui/win32_picture.h"

#include <windows.h>

#include "win32/ui/gdi_objects.h"

namespace tesk::win32 {

platform::PictureType Win32Picture::Type() const {
  SHORT type = PICTYPE_NONE;
  picture_->get_Type(&type);
  return static_cast<platform::PictureType>(type);
}

std::int32_t Win32Picture::WidthHimetric() const {
  OLE_XSIZE_HIMETRIC width = 0;
  picture_->get_Width(&width);
  return width;
}

std::int32_t Win32Picture::HeightHimetric() const {
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Height(&height);
  return height;
}

std::vector<std::int32_t> Win32Picture::Pixels(std::int32_t width, std::int32_t height,
                                               std::int32_t background) const {
  if (last_.width != width || last_.height != height || last_.background != background) {
    last_ = {width, height, background, Render(width, height, background)};
  }
  return last_.pixels;
}

// Drawn into a 32-bit image over `background`: a bitmap copied as it is, anything else (an
// icon) drawn at its natural size with DrawIconEx, so its transparent parts show the background.
std::vector<std::int32_t> Win32Picture::Render(std::int32_t width, std::int32_t height,
                                               std::int32_t background) const {
  std::vector<std::int32_t> image(static_cast<size_t>(width) * static_cast<size_t>(height),
                                  background);
  if (width <= 0 || height <= 0) return image;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const UniqueGdiObject target(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!target || !bits) return image;
  {
    const ScopedSelection selected(dc.get(), target.get());
    const UniqueGdiObject fill(CreateSolidBrush(static_cast<COLORREF>(background)));
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(fill.get()));
    OLE_HANDLE handle = 0;
    picture_->get_Handle(&handle);
    if (Type() == platform::PictureType::Bitmap) {
      const UniqueMemoryDc source(CreateCompatibleDC(nullptr));
      const ScopedSelection bitmap(source.get(), reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)));
      BitBlt(dc.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    } else {
      DrawIconEx(dc.get(), 0, 0, reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), 0, 0, 0,
                 nullptr, DI_NORMAL);
    }
    GdiFlush();
  }
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < image.size(); ++i) {
    const std::uint32_t bgra = pixels[i];  // 0x00RRGGBB in memory order B, G, R
    image[i] = static_cast<std::int32_t>(((bgra >> 16) & 0xFF) | (bgra & 0xFF00) |
                                         ((bgra & 0xFF) << 16));
  }
  return image;
}

}  // namespace tesk::win32
