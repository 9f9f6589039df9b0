#pragma once
// The cmd button drawn on the raster canvas with everything else taken from an off-screen GDI
// host (colours, fonts, text measurement), so that both lay out the same caption and a
// comparison of their pixels outside the captions shows how faithful the raster canvas is.

#include "button/control_host.h"
#include "common/offscreen_host.h"
#include "platform/raster/raster_canvas.h"

namespace tesk::tools {

// Draws in memory but measures text with GDI, so both canvases lay out the same caption.
class MeasuredRaster final : public platform::Canvas {
 public:
  MeasuredRaster(platform::Canvas& gdi, std::int32_t width, std::int32_t height)
      : gdi_(gdi), raster(width, height) {}
  void FillRect(const platform::Rect& r, button::Rgb c) override { raster.FillRect(r, c); }
  void FrameRect(const platform::Rect& r, button::Rgb c) override { raster.FrameRect(r, c); }
  void Line(platform::Point a, platform::Point b, button::Rgb c, int w) override {
    raster.Line(a, b, c, w);
  }
  void SetPixel(platform::Point at, button::Rgb c) override { raster.SetPixel(at, c); }
  void Ellipse(const platform::Rect& r, button::Rgb p, int w, button::Rgb b) override {
    raster.Ellipse(r, p, w, b);
  }
  void DrawCaption(const std::string& t, const platform::Rect& r, button::Rgb c) override {
    raster.DrawCaption(t, r, c);
  }
  platform::Rect MeasureWrapped(const std::string& t, const platform::Rect& r) override {
    return gdi_.MeasureWrapped(t, r);
  }
  void DrawFocusFrame(const platform::Rect& r, button::Rgb c) override {
    raster.DrawFocusFrame(r, c);
  }
  std::vector<button::Rgb> ReadPixels(const platform::Rect& r) override {
    return raster.ReadPixels(r);
  }
  void WritePixels(const platform::Rect& r, const std::vector<button::Rgb>& p) override {
    raster.WritePixels(r, p);
  }
  bool IsTrueColor() override { return true; }
  button::Rgb NearestColor(button::Rgb c) override { return c; }

 private:
  platform::Canvas& gdi_;

 public:
  platform::RasterCanvas raster;
};

// The offscreen GDI host's colours and fonts, drawing on the measured raster canvas instead.
class RasterTwin final : public button::ControlHost {
 public:
  explicit RasterTwin(OffscreenHost& gdi)
      : gdi_(gdi), canvas(gdi.Surface(), gdi.ClientRect().right, gdi.ClientRect().bottom) {}
  platform::Canvas& Surface() override { return canvas; }
  std::int32_t WindowHandle() override { return 0; }
  platform::Rect ClientRect() override { return gdi_.ClientRect(); }
  std::int32_t PixelsPerInch() override { return 96; }
  void SetWindowShape(const button::WindowShape&) override {}
  void SetEnabled(bool) override {}
  button::FontDescription SurfaceFont() override { return gdi_.SurfaceFont(); }
  void SetSurfaceFont(const button::FontDescription& f) override { gdi_.SetSurfaceFont(f); }
  std::int16_t MousePointer() override { return 0; }
  void SetMousePointer(std::int16_t) override {}
  button::PicturePtr MouseIcon() override { return nullptr; }
  void SetMouseIcon(button::PicturePtr) override {}
  button::PicturePtr HandCursor() override { return nullptr; }
  bool UserMode() override { return true; }
  std::string DisplayName() override { return "cmd1"; }
  button::FontDescription AmbientFont() override { return {}; }
  bool DisplayAsDefault() override { return gdi_.isDefault; }
  void PropertyChanged(const std::string&) override {}
  void SetHoverTimer(bool) override {}
  bool IsMouseOver() override { return false; }
  void CaptureMouse() override {}
  void MoveFocus(bool) override {}
  void ShowNow() override {}
  void CreateBackgroundSurface(std::int32_t, std::int32_t) override {}
  void CaptureBackground() override {}
  void CopyBackground() override {
    PaintContainerChecker(canvas, gdi_.ClientRect().right, gdi_.ClientRect().bottom);
  }
  void ReleaseBackgroundSurface() override {}
  button::Rgb SystemColor(int index) override { return gdi_.SystemColor(index); }
  button::Rgb TranslateColor(button::OleColor c) override { return gdi_.TranslateColor(c); }
  button::Rgb ParentBackColor() override { return gdi_.ParentBackColor(); }
  button::Rgb ParentTextColor() override { return gdi_.ParentTextColor(); }

 private:
  OffscreenHost& gdi_;

 public:
  MeasuredRaster canvas;
};

}  // namespace tesk::tools
