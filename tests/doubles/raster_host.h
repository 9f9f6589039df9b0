#pragma once
// A host for the cmd button in memory: a raster canvas, the classic Windows colours, and a
// record of what the control asked of it.

#include <string>
#include <vector>

#include "button/control_host.h"
#include "platform/raster/raster_canvas.h"

namespace tesk::test {

class RasterHost : public button::ControlHost {
 public:
  RasterHost(std::int32_t w, std::int32_t h) : width(w), height(h), canvas(w, h, 0x010203) {}

  platform::Canvas& Surface() override { return canvas; }
  std::int32_t WindowHandle() override { return 0x1234; }
  button::Rect ClientRect() override { return {0, 0, width, height}; }
  std::int32_t PixelsPerInch() override { return dpi; }
  void SetWindowShape(const button::WindowShape& s) override { shape = s; }
  void SetEnabled(bool) override {}
  button::FontDescription SurfaceFont() override { return font; }
  void SetSurfaceFont(const button::FontDescription& f) override {
    font = f;
    fontWeights.push_back(f.weight);
  }
  std::int16_t MousePointer() override { return pointer; }
  void SetMousePointer(std::int16_t p) override { pointer = p; }
  button::PicturePtr MouseIcon() override { return icon; }
  void SetMouseIcon(button::PicturePtr i) override { icon = std::move(i); }
  button::PicturePtr HandCursor() override { return hand; }
  bool UserMode() override { return userMode; }
  std::string DisplayName() override { return "cmd1"; }
  button::FontDescription AmbientFont() override { return {"MS Sans Serif"}; }
  bool DisplayAsDefault() override { return isDefault; }
  void PropertyChanged(const std::string& key) override { notices.push_back(key); }
  void SetHoverTimer(bool on) override { timerOn = on; }
  bool IsMouseOver() override { return mouseOver; }
  void CaptureMouse() override { log.push_back("capture mouse"); }
  void MoveFocus(bool forward) override { log.push_back(forward ? "focus next" : "focus previous"); }
  void ShowNow() override { log.push_back("show"); }
  void CreateBackgroundSurface(std::int32_t, std::int32_t) override { log.push_back("create"); }
  void CaptureBackground() override { log.push_back("capture"); }
  void CopyBackground() override { log.push_back("copy"); }
  void ReleaseBackgroundSurface() override { log.push_back("release"); }

  // The classic Windows colours.
  button::Rgb SystemColor(int index) override {
    switch (index) {
      case button::kSelectionHighlight: return 0x800000;
      case button::kButtonFace: return 0xC0C0C0;
      case button::kButtonShadow: return 0x808080;
      case button::kButtonHighlight: return 0xFFFFFF;
      case button::kLight3D: return 0xDFDFDF;
      default: return 0x000000;  // button text and the dark shadow among them
    }
  }
  button::Rgb TranslateColor(button::OleColor colour) override {
    if (!(colour & 0x80000000u)) return static_cast<button::Rgb>(colour);
    return (colour & 0xFFFFFF00u) == 0x80000000u ? SystemColor(colour & 0xFF) : 0;
  }
  button::Rgb ParentBackColor() override { return 0x336699; }
  button::Rgb ParentTextColor() override { return 0x00FFFF; }

  std::int32_t width;
  std::int32_t height;
  std::int32_t dpi = 96;
  platform::RasterCanvas canvas;
  button::WindowShape shape;
  button::FontDescription font;
  std::vector<std::int16_t> fontWeights;  // every weight the surface font was given
  std::int16_t pointer = 0;
  button::PicturePtr icon;
  button::PicturePtr hand;
  bool userMode = true;
  bool isDefault = false;
  bool timerOn = false;
  bool mouseOver = false;
  std::vector<std::string> notices;
  std::vector<std::string> log;
};

}  // namespace tesk::test
