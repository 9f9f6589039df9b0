#pragma once
// The cmd button's drawing primitives over a canvas: one-colour rectangles, lines and pixels,
// the two-level bevel frame and the ellipse.

#include <cstdint>

#include "platform/canvas.h"

namespace tesk::button {

using platform::Canvas;
using platform::Rgb;

// Fills x..x+w-1 x y..y+h-1, or paints only its one-pixel border when `outlineOnly`.
void DrawRect(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
              Rgb colour, bool outlineOnly);
// From (x1, y1) towards (x2, y2); the end point itself is not painted.
void DrawLine(Canvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              Rgb colour);
void PutPixel(Canvas& canvas, std::int32_t x, std::int32_t y, Rgb colour);

// The bevel frame of a W x H control: outer level in c1 (left, top) and c2 (right, bottom),
// inner level in c3 and c4 unless `outerOnly`. `inset` 0 draws on the control's edge, -1 one
// pixel inside it.
void DrawFrame3D(Canvas& canvas, std::int32_t width, std::int32_t height, Rgb c1, Rgb c2, Rgb c3,
                 Rgb c4, std::int16_t inset, bool outerOnly);

// The ellipse inscribed in x..x+w x y..y+h, filled with `brush`, outlined two pixels wide.
void DrawEllipse(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                 Rgb pen, Rgb brush);

}  // namespace tesk::button
