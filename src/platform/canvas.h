#pragma once
// The drawing surface the cmd button paints on, with GDI's pixel rules: rectangles fill their
// left..right-1 x top..bottom-1 pixels, a line does not paint its end point. On Windows it is
// GDI on the control's device context; the raster canvas reproduces it in memory.

#include <cstdint>
#include <string>
#include <vector>

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

  // Text drawn centred, vertically centred and word-wrapped in `rect` (DrawText flags 21), in
  // the surface font, with "&" marking the underlined character and "&&" one ampersand.
  virtual void DrawCaption(const std::string& text, const Rect& rect, Rgb colour) = 0;
  // DrawText with DT_CALCRECT | DT_WORDBREAK: `bounds` with its right and bottom moved to
  // those of the wrapped text.
  virtual Rect MeasureWrapped(const std::string& text, const Rect& bounds) = 0;
  // DrawFocusRect: the system's dotted focus frame, inverting what is under it.
  virtual void DrawFocusFrame(const Rect& rect, Rgb textColour) = 0;

  // The pixels of a rectangle, row by row, and writing them back (GetDIBits, SetDIBitsToDevice).
  virtual std::vector<Rgb> ReadPixels(const Rect& rect) = 0;
  virtual void WritePixels(const Rect& rect, const std::vector<Rgb>& pixels) = 0;
  // Whether every colour shows as itself; otherwise NearestColor tells what it shows as.
  virtual bool IsTrueColor() = 0;
  virtual Rgb NearestColor(Rgb colour) = 0;
};

}  // namespace tesk::platform
