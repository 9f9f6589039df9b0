#include "button/primitives.h"

#include <cstdlib>

namespace tesk::button {

using platform::Point;
using platform::Rect;

void DrawRect(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
              Rgb colour, bool outlineOnly) {
  const Rect rect{x, y, x + w, y + h};
  if (outlineOnly) {
    canvas.FrameRect(rect, colour);
  } else {
    canvas.FillRect(rect, colour);
  }
}

void DrawLine(Canvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              Rgb colour) {
  canvas.Line({x1, y1}, {x2, y2}, colour, 1);
}

void PutPixel(Canvas& canvas, std::int32_t x, std::int32_t y, Rgb colour) {
  canvas.SetPixel({x, y}, colour);
}

// Each stroke starts where the previous one ended, as one pen walking round the frame.
void DrawFrame3D(Canvas& canvas, std::int32_t width, std::int32_t height, Rgb c1, Rgb c2, Rgb c3,
                 Rgb c4, std::int16_t inset, bool outerOnly) {
  const std::int32_t a = std::abs(inset);
  const std::int32_t r = width - 1 + inset;
  const std::int32_t b = height - 1 + inset;
  canvas.Line({a, b}, {a, a}, c1, 1);
  canvas.Line({a, a}, {r, a}, c1, 1);
  canvas.Line({r, a}, {r, b}, c2, 1);
  canvas.Line({r, b}, {a - 1, b}, c2, 1);
  if (outerOnly) return;
  canvas.Line({a + 1, b - 1}, {a + 1, a + 1}, c3, 1);
  canvas.Line({a + 1, a + 1}, {r - 1, a + 1}, c3, 1);
  canvas.Line({r - 1, a + 1}, {r - 1, b - 1}, c4, 1);
  canvas.Line({r - 1, b - 1}, {a, b - 1}, c4, 1);
}

void DrawEllipse(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                 Rgb pen, Rgb brush) {
  canvas.Ellipse({x, y, x + w, y + h}, pen, 2, brush);
}

}  // namespace tesk::button
