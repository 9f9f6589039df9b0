#pragma once
// The cmd button drawn on the raster canvas with everything else taken from an off-screen GDI
// host (colours, fonts, text measurement), so that both lay out the same caption and a
// comparison of their pixels outside the captions shows how faithful the raster canvas is.

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
class RasterTwin final : public WindowlessHost {
 public:
  explicit RasterTwin(OffscreenHost& gdi)
      : gdi_(gdi), canvas(gdi.Surface(), gdi.ClientRect().right, gdi.ClientRect().bottom) {}
  platform::Canvas& Surface() override { return canvas; }
  platform::Rect ClientRect() override { return gdi_.ClientRect(); }
  button::FontDescription SurfaceFont() override { return gdi_.SurfaceFont(); }
  void SetSurfaceFont(const button::FontDescription& f) override { gdi_.SetSurfaceFont(f); }
  std::int16_t MousePointer() override { return 0; }
  void SetMousePointer(std::int16_t) override {}
  button::PicturePtr MouseIcon() override { return nullptr; }
  void SetMouseIcon(button::PicturePtr) override {}
  bool DisplayAsDefault() override { return gdi_.isDefault; }
  void CopyBackground() override {
    PaintContainerChecker(canvas, gdi_.ClientRect().right, gdi_.ClientRect().bottom);
  }
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
