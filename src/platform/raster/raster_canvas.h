#pragma once
// A canvas in memory that follows GDI's pixel rules, so that drawing can be checked pixel by
// pixel anywhere. Drawing outside the surface is clipped. Text is not rasterised: captions are
// recorded (text, rectangle, colour) and measured with fixed metrics, 6 pixels a character and
// 13 a line, so layouts are predictable.

#include <cstdint>
#include <string>
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
  void DrawCaption(const std::string& text, const Rect& rect, Rgb colour) override;
  Rect MeasureWrapped(const std::string& text, const Rect& bounds) override;
  // DrawFocusRect's pattern: the border's pixels at odd x + y inverted.
  void DrawFocusFrame(const Rect& rect, Rgb textColour) override;
  std::vector<Rgb> ReadPixels(const Rect& rect) override;
  void WritePixels(const Rect& rect, const std::vector<Rgb>& pixels) override;
  bool IsTrueColor() override { return true; }
  Rgb NearestColor(Rgb colour) override { return colour; }

  struct Caption {
    std::string text;
    Rect rect;
    Rgb colour;
  };
  // Every caption drawn, in order.
  const std::vector<Caption>& Captions() const { return captions_; }

  static constexpr std::int32_t kCharacterWidth = 6;
  static constexpr std::int32_t kLineHeight = 13;

 private:
  void Plot(std::int32_t x, std::int32_t y, Rgb colour);

  std::int32_t width_;
  std::int32_t height_;
  std::vector<Rgb> pixels_;
  std::vector<Caption> captions_;
};

}  // namespace tesk::platform
