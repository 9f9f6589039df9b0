#include "platform/raster/raster_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace tesk::platform {

RasterCanvas::RasterCanvas(std::int32_t width, std::int32_t height, Rgb background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

Rgb RasterCanvas::Pixel(std::int32_t x, std::int32_t y) const {
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void RasterCanvas::Plot(std::int32_t x, std::int32_t y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

void RasterCanvas::FillRect(const Rect& rect, Rgb colour) {
  for (std::int32_t y = std::max(rect.top, 0); y < std::min(rect.bottom, height_); ++y) {
    for (std::int32_t x = std::max(rect.left, 0); x < std::min(rect.right, width_); ++x) {
      Plot(x, y, colour);
    }
  }
}

// As FrameRect: nothing for an empty rectangle, otherwise its outermost ring of pixels.
void RasterCanvas::FrameRect(const Rect& rect, Rgb colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  FillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

// Bresenham's walk along the major axis; the end point is left unpainted, as LineTo leaves it.
// A wider pen paints a square of pixels at each step.
void RasterCanvas::Line(Point from, Point to, Rgb colour, int penWidth) {
  const std::int32_t dx = std::abs(to.x - from.x);
  const std::int32_t dy = std::abs(to.y - from.y);
  const std::int32_t stepX = from.x < to.x ? 1 : -1;
  const std::int32_t stepY = from.y < to.y ? 1 : -1;
  const std::int32_t steps = std::max(dx, dy);
  std::int32_t x = from.x;
  std::int32_t y = from.y;
  std::int32_t error = (dx > dy ? dx : -dy) / 2;
  const std::int32_t low = -(penWidth - 1) / 2;
  for (std::int32_t i = 0; i < steps; ++i) {
    for (std::int32_t py = low; py < low + penWidth; ++py) {
      for (std::int32_t px = low; px < low + penWidth; ++px) Plot(x + px, y + py, colour);
    }
    const std::int32_t before = error;
    if (before > -dx) {
      error -= dy;
      x += stepX;
    }
    if (before < dy) {
      error += dx;
      y += stepY;
    }
  }
}

void RasterCanvas::SetPixel(Point at, Rgb colour) { Plot(at.x, at.y, colour); }

// The ellipse of GDI's Ellipse: the path inscribed in the bounds, the brush inside it and a pen
// of `penWidth` pixels centred on it.
void RasterCanvas::Ellipse(const Rect& bounds, Rgb pen, int penWidth, Rgb brush) {
  const double rx = (bounds.right - bounds.left - 1) / 2.0;
  const double ry = (bounds.bottom - bounds.top - 1) / 2.0;
  if (rx < 0 || ry < 0) return;
  const double cx = bounds.left + rx;
  const double cy = bounds.top + ry;
  const double half = penWidth / 2.0;
  const auto inside = [cx, cy](std::int32_t x, std::int32_t y, double a, double b) {
    if (a <= 0 || b <= 0) return false;
    const double nx = (x - cx) / a;
    const double ny = (y - cy) / b;
    return nx * nx + ny * ny <= 1.0;
  };
  for (std::int32_t y = bounds.top - penWidth; y < bounds.bottom + penWidth; ++y) {
    for (std::int32_t x = bounds.left - penWidth; x < bounds.right + penWidth; ++x) {
      if (!inside(x, y, rx + half, ry + half)) continue;
      Plot(x, y, inside(x, y, rx - half, ry - half) ? brush : pen);
    }
  }
}

}  // namespace tesk::platform

namespace tesk::platform {
namespace {

// What a caption shows: "&&" is one ampersand, a single "&" only marks the next character.
std::string ShownText(const std::string& text) {
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      shown += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

}  // namespace

void RasterCanvas::DrawCaption(const std::string& text, const Rect& rect, Rgb colour) {
  captions_.push_back({text, rect, colour});
}

// Word wrapping as DrawText does it: words move to the next line when the line would outgrow
// the width; a word longer than the width stands alone on its line.
Rect RasterCanvas::MeasureWrapped(const std::string& text, const Rect& bounds) {
  const std::string shown = ShownText(text);
  const std::int32_t width = bounds.Width();
  std::int32_t lines = 0;
  std::int32_t widest = 0;
  std::int32_t line = -1;  // characters on the current line, -1 before its first word
  size_t start = 0;
  while (start <= shown.size()) {
    const auto end = std::min(shown.find(' ', start), shown.size());
    const auto word = static_cast<std::int32_t>(end - start);
    const std::int32_t joined = line < 0 ? word : line + 1 + word;
    if (line >= 0 && joined * kCharacterWidth > width) {
      widest = std::max(widest, line * kCharacterWidth);
      ++lines;
      line = word;
    } else {
      line = joined;
    }
    start = end + 1;
  }
  widest = std::max(widest, line * kCharacterWidth);
  ++lines;
  return {bounds.left, bounds.top, bounds.left + widest, bounds.top + lines * kLineHeight};
}

void RasterCanvas::DrawFocusFrame(const Rect& rect, Rgb) {
  for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
    for (std::int32_t x = rect.left; x < rect.right; ++x) {
      const bool border = y == rect.top || y == rect.bottom - 1 || x == rect.left ||
                          x == rect.right - 1;
      if (!border || (x + y) % 2 == 0 || x < 0 || y < 0 || x >= width_ || y >= height_) continue;
      Plot(x, y, Pixel(x, y) ^ 0xFFFFFF);
    }
  }
}

std::vector<Rgb> RasterCanvas::ReadPixels(const Rect& rect) {
  std::vector<Rgb> pixels;
  pixels.reserve(static_cast<size_t>(std::max(rect.Width(), 0) * std::max(rect.Height(), 0)));
  for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
    for (std::int32_t x = rect.left; x < rect.right; ++x) {
      const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
      pixels.push_back(inside ? Pixel(x, y) : 0);
    }
  }
  return pixels;
}

void RasterCanvas::WritePixels(const Rect& rect, const std::vector<Rgb>& pixels) {
  size_t index = 0;
  for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
    for (std::int32_t x = rect.left; x < rect.right && index < pixels.size(); ++x) {
      Plot(x, y, pixels[index++]);
    }
  }
}

}  // namespace tesk::platform
