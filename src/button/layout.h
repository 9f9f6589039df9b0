#pragma once
// The cmd button's layout: where caption and picture stand (CalcTextRects, PicturePos,
// PictureSize) and the window shape of each style (MakeRegion). Pure arithmetic over the
// control's size, caption, picture and settings; the caption is measured by the surface.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/geometry.h"

namespace tesk::button {

using platform::Picture;
using platform::PictureType;
using platform::Point;
using platform::Rect;

enum PicturePositions : std::int32_t { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kBehind = 4 };

// Measures text the way DrawText with DT_CALCRECT | DT_WORDBREAK does on the control's surface
// with its font: left and top stay, right and bottom become those of the wrapped text.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual Rect MeasureWrapped(const std::string& text, const Rect& bounds) = 0;
};

struct CaptionLayout {
  Rect textRect;
  Rect pressedTextRect;
  std::int32_t textWidth = 0;
  std::int32_t textHeight = 0;
  Rect pictureRect;  // left, top = X, Y; Width(), Height() = PW, PH
};

struct LayoutInput {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string caption;
  std::int32_t picturePosition = kLeft;
  bool hasPictureNormal = false;
  bool hasPictureOver = false;
};

// PictureSize: the picture's size in pixels at `pixelsPerInch` (rounded half to even, in
// single precision); 0 x 0 without a picture.
Point PictureSizeInPixels(const Picture* picture, std::int32_t pixelsPerInch);

// CalcTextRects followed by PicturePos. `layout` holds the previous layout (its pictureRect
// size is PW x PH) and is updated in place, as the control's members are.
void CalcTextRects(const LayoutInput& input, TextMeasurer& measurer, CaptionLayout& layout);

// The window shape: the rectangle 0..W-1 x 0..H-1 less some corner pixels, or an ellipse.
struct WindowShape {
  bool elliptic = false;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<Point> removedPixels;
};

WindowShape MakeRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height);

}  // namespace tesk::button
