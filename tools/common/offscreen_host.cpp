#include "offscreen_host.h"

#include "win32/ui/fonts.h"
#include "win32/ui/win32_colors.h"

namespace tesk::tools {

OffscreenHost::OffscreenHost(std::int32_t width, std::int32_t height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)), canvas_(dc_.get()) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  displaced_ = SelectObject(dc_.get(), bitmap_.get());
  SetSurfaceFont(font_);
}

OffscreenHost::~OffscreenHost() { SelectObject(dc_.get(), displaced_); }

std::vector<button::Rgb> OffscreenHost::Pixels() const {
  GdiFlush();
  const auto* bgra = static_cast<const std::uint32_t*>(bits_);
  std::vector<button::Rgb> pixels(static_cast<size_t>(width_ * height_));
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<button::Rgb>(((bgra[i] >> 16) & 0xFF) | (bgra[i] & 0xFF00) |
                                         ((bgra[i] & 0xFF) << 16));
  }
  return pixels;
}

void OffscreenHost::SetSurfaceFont(const button::FontDescription& font) {
  font_ = font;
  font_handle_.reset(win32::CreateSurfaceFont(font));
  canvas_.SetFont(static_cast<HFONT>(font_handle_.get()));
}

void PaintContainerChecker(platform::Canvas& canvas, std::int32_t width, std::int32_t height) {
  for (std::int32_t y = 0; y < height; y += 4) {
    for (std::int32_t x = 0; x < width; x += 4) {
      const bool dark = ((x + y) / 4) % 2 != 0;
      canvas.FillRect({x, y, x + 4, y + 4}, dark ? 0x99CCCC : 0xCCFFFF);
    }
  }
}

button::Rgb OffscreenHost::SystemColor(int index) { return win32::SystemColor(index); }

button::Rgb OffscreenHost::TranslateColor(button::OleColor colour) {
  return win32::TranslateOleColor(colour);
}

button::Rgb OffscreenHost::ParentBackColor() { return win32::SystemColor(COLOR_WINDOW); }

button::Rgb OffscreenHost::ParentTextColor() { return win32::SystemColor(COLOR_WINDOWTEXT); }

}  // namespace tesk::tools
