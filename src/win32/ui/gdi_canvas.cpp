#include "win32/ui/gdi_canvas.h"

#include "win32/ui/gdi_objects.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 21
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK;            // 0x410

RECT ToRect(const platform::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
COLORREF ToColor(platform::Rgb colour) { return static_cast<COLORREF>(colour); }

// The 24-bit device-independent bitmap a pixel block is copied through: rows of blue, green,
// red bytes, each row padded to a multiple of 4 bytes; top-down.
struct Dib24 {
  Dib24(LONG width, LONG height) : stride(((width * 3 + 3) / 4) * 4), bytes(stride * height) {
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
  }
  BYTE* At(LONG x, LONG y) { return bytes.data() + y * stride + x * 3; }

  BITMAPINFO info{};
  LONG stride;
  std::vector<BYTE> bytes;
};

}  // namespace

void GdiCanvas::FillRect(const platform::Rect& rect, platform::Rgb colour) {
  ++drawCount_;
  const UniqueGdiObject brush(CreateSolidBrush(ToColor(colour)));
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
}

void GdiCanvas::FrameRect(const platform::Rect& rect, platform::Rgb colour) {
  ++drawCount_;
  const UniqueGdiObject brush(CreateSolidBrush(ToColor(colour)));
  const RECT r = ToRect(rect);
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
}

void GdiCanvas::Line(platform::Point from, platform::Point to, platform::Rgb colour,
                     int penWidth) {
  ++drawCount_;
  const UniqueGdiObject pen(CreatePen(PS_SOLID, penWidth, ToColor(colour)));
  const ScopedSelection selected(dc_, pen.get());
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiCanvas::SetPixel(platform::Point at, platform::Rgb colour) {
  ++drawCount_;
  SetPixelV(dc_, at.x, at.y, ToColor(colour));
}

void GdiCanvas::Ellipse(const platform::Rect& bounds, platform::Rgb pen, int penWidth,
                        platform::Rgb brush) {
  ++drawCount_;
  const UniqueGdiObject outline(CreatePen(PS_SOLID, penWidth, ToColor(pen)));
  const UniqueGdiObject fill(CreateSolidBrush(ToColor(brush)));
  const ScopedSelection penSelected(dc_, outline.get());
  const ScopedSelection brushSelected(dc_, fill.get());
  ::Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

void GdiCanvas::DrawCaption(const std::string& text, const platform::Rect& rect,
                            platform::Rgb colour) {
  ++drawCount_;
  const ScopedSelection font(dc_, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc_, ToColor(colour));
  SetBkMode(dc_, TRANSPARENT);
  std::string ansi = AnsiFromUtf8(text);
  RECT r = ToRect(rect);
  DrawTextA(dc_, ansi.data(), static_cast<int>(ansi.size()), &r, kCaptionFlags);
}

platform::Rect GdiCanvas::MeasureWrapped(const std::string& text, const platform::Rect& bounds) {
  const ScopedSelection font(dc_, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  std::string ansi = AnsiFromUtf8(text);
  RECT r = ToRect(bounds);
  DrawTextA(dc_, ansi.data(), static_cast<int>(ansi.size()), &r, kMeasureFlags);
  return {r.left, r.top, r.right, r.bottom};
}

void GdiCanvas::DrawFocusFrame(const platform::Rect& rect, platform::Rgb textColour) {
  ++drawCount_;
  SetTextColor(dc_, ToColor(textColour));
  const RECT r = ToRect(rect);
  DrawFocusRect(dc_, &r);
}

std::vector<platform::Rgb> GdiCanvas::ReadPixels(const platform::Rect& rect) {
  const LONG w = rect.Width();
  const LONG h = rect.Height();
  if (w <= 0 || h <= 0) return {};
  // Copy the block into a bitmap of its own, then read it as 24-bit rows.
  const UniqueMemoryDc memory(CreateCompatibleDC(dc_));
  const UniqueGdiObject bitmap(CreateCompatibleBitmap(dc_, w, h));
  {
    const ScopedSelection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, dc_, rect.left, rect.top, SRCCOPY);
  }
  Dib24 dib(w, h);
  GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(h),
            dib.bytes.data(), &dib.info, DIB_RGB_COLORS);
  std::vector<platform::Rgb> pixels;
  pixels.reserve(static_cast<size_t>(w * h));
  for (LONG y = 0; y < h; ++y) {
    for (LONG x = 0; x < w; ++x) {
      const BYTE* bgr = dib.At(x, y);
      pixels.push_back(bgr[2] | (bgr[1] << 8) | (bgr[0] << 16));
    }
  }
  return pixels;
}

void GdiCanvas::WritePixels(const platform::Rect& rect, const std::vector<platform::Rgb>& pixels) {
  ++drawCount_;
  const LONG w = rect.Width();
  const LONG h = rect.Height();
  if (w <= 0 || h <= 0 || pixels.size() < static_cast<size_t>(w * h)) return;
  Dib24 dib(w, h);
  for (LONG y = 0; y < h; ++y) {
    for (LONG x = 0; x < w; ++x) {
      const platform::Rgb pixel = pixels[static_cast<size_t>(y * w + x)];
      BYTE* bgr = dib.At(x, y);
      bgr[0] = static_cast<BYTE>(pixel >> 16);
      bgr[1] = static_cast<BYTE>(pixel >> 8);
      bgr[2] = static_cast<BYTE>(pixel);
    }
  }
  SetDIBitsToDevice(dc_, rect.left, rect.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0,
                    0, static_cast<UINT>(h), dib.bytes.data(), &dib.info, DIB_RGB_COLORS);
}

bool GdiCanvas::IsTrueColor() { return GetDeviceCaps(dc_, BITSPIXEL) >= 24; }

platform::Rgb GdiCanvas::NearestColor(platform::Rgb colour) {
  return static_cast<platform::Rgb>(GetNearestColor(dc_, ToColor(colour)));
}

}  // namespace tesk::win32
