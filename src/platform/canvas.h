#pragma once
// The drawing surface the cmd button paints on, with GDI's pixel rules: rectangles fill their
// left..right-1 x top..bottom-1 pixels, a line does not paint its end point. On Windows it is
// GDI on the control's device context; the raster canvas reproduces it in memory.

#include <cstdint>

#include "platform/geometry.h"

namespace tesk::platform {

// A plain colour 0x00BBGGRR.
using Rgb = std::int32_t;

class Canvas {
 public:
  virtual ~Canvas() = default;
  // FillRect with a solid brush.
  virtual void FillRect(const Rect& rect, Rgb colour) = 0;
  // FrameRect: the one-pixel border of the rectangle.
  virtual void FrameRect(const Rect& rect, Rgb colour) = 0;
  // MoveToEx and LineTo with a solid pen of `penWidth` pixels.
  virtual void Line(Point from, Point to, Rgb colour, int penWidth) = 0;
  virtual void SetPixel(Point at, Rgb colour) = 0;
  // Ellipse inscribed in `bounds`, filled with `brush` and outlined with a solid pen.
  virtual void Ellipse(const Rect& bounds, Rgb pen, int penWidth, Rgb brush) = 0;
};

}  // namespace tesk::platform
