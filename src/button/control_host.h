#pragma once
// What the cmd button needs from whoever hosts it: the drawing surface and its window, the
// surface font and mouse pointer, the container's ambient properties and colours, change
// notices, and the captured container background of style 11.

#include <cstdint>
#include <string>

#include "button/layout.h"
#include "button/palette.h"
#include "button/property_value.h"
#include "platform/canvas.h"

namespace tesk::button {

class ControlHost : public ColorSource {
 public:
  // The surface.
  virtual platform::Canvas& Surface() = 0;
  virtual std::int32_t WindowHandle() = 0;
  virtual Rect ClientRect() = 0;
  virtual std::int32_t PixelsPerInch() = 0;
  // The window takes the shape and owns it from then on; the window is repainted.
  virtual void SetWindowShape(const WindowShape& shape) = 0;
  virtual void SetEnabled(bool enabled) = 0;

  virtual FontDescription SurfaceFont() = 0;
  virtual void SetSurfaceFont(const FontDescription& font) = 0;
  virtual std::int16_t MousePointer() = 0;
  virtual void SetMousePointer(std::int16_t pointer) = 0;
  virtual PicturePtr MouseIcon() = 0;
  // May throw when the picture cannot be a pointer; the control ignores that.
  virtual void SetMouseIcon(PicturePtr icon) = 0;
  // The library's hand cursor (cursor resource 101).
  virtual PicturePtr HandCursor() = 0;

  // Ambient properties of the container.
  virtual bool UserMode() = 0;
  virtual std::string DisplayName() = 0;
  virtual FontDescription AmbientFont() = 0;
  virtual bool DisplayAsDefault() = 0;

  // The saved state is out of date: `key` names the property that changed.
  virtual void PropertyChanged(const std::string& key) = 0;

  // Input: the 3 ms hover timer, whether the pointer is over the control's own window,
  // routing all mouse input to it, moving the focus to the next or previous control of the
  // container, and bringing what was drawn to the screen at once.
  virtual void SetHoverTimer(bool on) = 0;
  virtual bool IsMouseOver() = 0;
  virtual void CaptureMouse() = 0;
  virtual void MoveFocus(bool forward) = 0;
  virtual void ShowNow() = 0;

  // Style 11: the container's pixels under the control, kept in an off-screen surface of
  // width x height made at the first Show (later calls keep it), captured, copied onto the
  // face, and released at Terminate (if there is one). Capturing suppresses its own failures.
  virtual void CreateBackgroundSurface(std::int32_t width, std::int32_t height) = 0;
  virtual void CaptureBackground() = 0;
  virtual void CopyBackground() = 0;
  virtual void ReleaseBackgroundSurface() = 0;
};

}  // namespace tesk::button
