#pragma once
// A canvas in memory that follows GDI's pixel rules, so that drawing can be checked pixel by
// pixel anywhere. Drawing outside the surface is clipped.

#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace tesk::platform {

class RasterCanvas final : public Canvas {
 public:
  RasterCanvas(std::int32_t width, std::int32_t height, Rgb background = 0);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  Rgb Pixel(std::int32_t x, std::int32_t y) const;

  void FillRect(const Rect& rect, Rgb colour) override;
  void FrameRect(const Rect& rect, Rgb colour) override;
  void Line(Point from, Point to, Rgb colour, int penWidth) override;
  void SetPixel(Point at, Rgb colour) override;
  void Ellipse(const Rect& bounds, Rgb pen, int penWidth, Rgb brush) override;

 private:
  void Plot(std::int32_t x, std::int32_t y, Rgb colour);

  std::int32_t width_;
  std::int32_t height_;
  std::vector<Rgb> pixels_;
};

}  // namespace tesk::platform
