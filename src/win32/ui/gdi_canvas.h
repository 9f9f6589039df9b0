#pragma once
// The canvas on a GDI device context, drawing with the calls the button's drawing is defined
// by: a solid brush or pen made for each call and deleted after it.

#include <windows.h>

#include "platform/canvas.h"

namespace tesk::win32 {

class GdiCanvas final : public platform::Canvas {
 public:
  // Draws on `dc`, whose owner keeps it alive; `font` is the surface font selected for text.
  explicit GdiCanvas(HDC dc) : dc_(dc) {}

  void SetFont(HFONT font) { font_ = font; }
  // How many drawing calls have been made: a change tells the window to repaint.
  std::uint64_t DrawCount() const { return drawCount_; }

  void FillRect(const platform::Rect& rect, platform::Rgb colour) override;
  void FrameRect(const platform::Rect& rect, platform::Rgb colour) override;
  void Line(platform::Point from, platform::Point to, platform::Rgb colour, int penWidth) override;
  void SetPixel(platform::Point at, platform::Rgb colour) override;
  void Ellipse(const platform::Rect& bounds, platform::Rgb pen, int penWidth,
               platform::Rgb brush) override;
  void DrawCaption(const std::string& text, const platform::Rect& rect,
                   platform::Rgb colour) override;
  platform::Rect MeasureWrapped(const std::string& text, const platform::Rect& bounds) override;
  void DrawFocusFrame(const platform::Rect& rect, platform::Rgb textColour) override;
  std::vector<platform::Rgb> ReadPixels(const platform::Rect& rect) override;
  void WritePixels(const platform::Rect& rect, const std::vector<platform::Rgb>& pixels) override;
  bool IsTrueColor() override;
  platform::Rgb NearestColor(platform::Rgb colour) override;

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  std::uint64_t drawCount_ = 0;
};

}  // namespace tesk::win32
