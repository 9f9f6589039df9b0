#pragma once
// A host for the cmd button without a window, drawing with GDI into a 32-bit off-screen
// bitmap: for the gallery and for comparing GDI with the raster canvas. Colours are the
// system's; the container is a plain window-coloured form.

#include <windows.h>

#include <vector>

#include "common/windowless_host.h"
#include "win32/ui/gdi_canvas.h"
#include "win32/ui/gdi_objects.h"

namespace tesk::tools {

// The stand-in container under a style-11 button: a checker of two window colours.
void PaintContainerChecker(platform::Canvas& canvas, std::int32_t width, std::int32_t height);

class OffscreenHost final : public WindowlessHost {
 public:
  OffscreenHost(std::int32_t width, std::int32_t height);
  ~OffscreenHost() override;
  OffscreenHost(const OffscreenHost&) = delete;
  OffscreenHost& operator=(const OffscreenHost&) = delete;

  // The pixels drawn so far, row by row, as 0x00BBGGRR.
  std::vector<button::Rgb> Pixels() const;

  platform::Canvas& Surface() override { return canvas_; }
  button::Rect ClientRect() override { return {0, 0, width_, height_}; }
  button::FontDescription SurfaceFont() override { return font_; }
  void SetSurfaceFont(const button::FontDescription& font) override;
  std::int16_t MousePointer() override { return pointer_; }
  void SetMousePointer(std::int16_t pointer) override { pointer_ = pointer; }
  button::PicturePtr MouseIcon() override { return icon_; }
  void SetMouseIcon(button::PicturePtr icon) override { icon_ = std::move(icon); }
  bool DisplayAsDefault() override { return isDefault; }
  void CopyBackground() override { PaintContainerChecker(canvas_, width_, height_); }

  button::Rgb SystemColor(int index) override;
  button::Rgb TranslateColor(button::OleColor colour) override;
  button::Rgb ParentBackColor() override;
  button::Rgb ParentTextColor() override;

  bool isDefault = false;

 private:
  std::int32_t width_;
  std::int32_t height_;
  win32::UniqueMemoryDc dc_;
  win32::UniqueGdiObject bitmap_;
  HGDIOBJ displaced_ = nullptr;
  void* bits_ = nullptr;
  win32::GdiCanvas canvas_;
  win32::UniqueGdiObject font_handle_;
  button::FontDescription font_;
  std::int16_t pointer_ = 0;
  button::PicturePtr icon_;
};

}  // namespace tesk::tools
