#pragma once
// What a cmd host without a window answers alike, whatever it draws on: no window, shape,
// timer or focus to move, no container background to keep, and a running container's ambient
// values.

#include <string>

#include "button/control_host.h"

namespace tesk::tools {

class WindowlessHost : public button::ControlHost {
 public:
  std::int32_t WindowHandle() override { return 0; }
  std::int32_t PixelsPerInch() override { return 96; }
  void SetWindowShape(const button::WindowShape&) override {}
  void SetEnabled(bool) override {}
  button::PicturePtr HandCursor() override { return nullptr; }
  bool UserMode() override { return true; }
  std::string DisplayName() override { return "cmd1"; }
  button::FontDescription AmbientFont() override { return {}; }
  void PropertyChanged(const std::string&) override {}
  void SetHoverTimer(bool) override {}
  bool IsMouseOver() override { return false; }
  void CaptureMouse() override {}
  void MoveFocus(bool) override {}
  void ShowNow() override {}
  void CreateBackgroundSurface(std::int32_t, std::int32_t) override {}
  void CaptureBackground() override {}
  void ReleaseBackgroundSurface() override {}
};

}  // namespace tesk::tools
