#include "button/layout.h"

#include <cmath>

namespace tesk::button {
namespace {

constexpr float kHimetricPerInch = 2540.0f;

// The start rectangle of the caption, by picture position.
Rect StartRect(const LayoutInput& in, const CaptionLayout& layout) {
  const std::int32_t pw = layout.pictureRect.Width();
  const std::int32_t ph = layout.pictureRect.Height();
  const std::int32_t w = in.width;
  const std::int32_t h = in.height;
  switch (in.picturePosition) {
    case kLeft: return {pw + 1, 1, w - 2, h - 2};
    case kRight: return {1, 1, w - 2 - pw, h - 2};
    case kTop: return {1, ph + 1, w - 2, h - 2};
    case kBottom: return {1, 1, w - 2, h - 2 - ph};
    case kBehind: return {1, 1, w - 2, h - 2};
    default: return layout.pressedTextRect;
  }
}

// How far the measured caption moves to be centred, by picture position.
Point CentringOffset(const LayoutInput& in, const CaptionLayout& layout) {
  const Rect& text = layout.textRect;
  const std::int32_t pw = layout.pictureRect.Width();
  const std::int32_t ph = layout.pictureRect.Height();
  switch (in.picturePosition) {
    case kLeft:
    case kTop:
    case kBehind: return {(in.width - text.right) / 2, (in.height - text.bottom) / 2};
    case kRight: return {(in.width - text.right - pw - 4) / 2, (in.height - text.bottom) / 2};
    case kBottom: return {(in.width - text.right) / 2, (in.height - text.bottom - ph - 4) / 2};
    default: return {0, 0};
  }
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void PicturePos(const LayoutInput& in, CaptionLayout& layout) {
  if (!in.hasPictureNormal && !in.hasPictureOver) return;
  Rect& picture = layout.pictureRect;
  const std::int32_t pw = picture.Width();
  const std::int32_t ph = picture.Height();
  Point at{picture.left, picture.top};
  const Rect& text = layout.textRect;
  if (!IsBlank(in.caption) && in.picturePosition != kBehind) {
    switch (in.picturePosition) {
      case kLeft: at = {text.left - pw - 4, (in.height - ph) / 2}; break;
      case kRight: at = {text.right + 4, (in.height - ph) / 2}; break;
      case kTop: at = {(in.width - pw) / 2, text.top - ph - 2}; break;
      case kBottom: at = {(in.width - pw) / 2, text.bottom + 2}; break;
      default: break;
    }
  } else {
    at = {(in.width - pw) / 2, (in.height - ph) / 2};
  }
  picture = {at.x, at.y, at.x + pw, at.y + ph};
}

std::vector<Point> CutCorners(std::int32_t type, std::int32_t w, std::int32_t h) {
  switch (type) {
    case 1:
    case 14: return {{0, h - 1}, {w - 1, 0}, {0, 0}, {w - 1, h - 1}};
    case 5: return {{0, h - 1}, {w - 1, 0}};
    case 3:
    case 4:
      return {{0, 0},         {1, 0},         {0, 1},         {0, h - 1},
              {1, h - 1},     {0, h - 2},     {w - 2, 0},     {w - 1, 0},
              {w - 1, 1},     {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    default: return {};
  }
}

}  // namespace

Point PictureSizeInPixels(const Picture* picture, std::int32_t pixelsPerInch) {
  if (!picture) return {0, 0};
  const auto toPixels = [pixelsPerInch](std::int32_t himetric) {
    const float pixels = static_cast<float>(himetric) * static_cast<float>(pixelsPerInch) /
                         kHimetricPerInch;
    return static_cast<std::int32_t>(std::nearbyint(pixels));
  };
  return {toPixels(picture->WidthHimetric()), toPixels(picture->HeightHimetric())};
}

void CalcTextRects(const LayoutInput& input, TextMeasurer& measurer, CaptionLayout& layout) {
  const Rect measured = measurer.MeasureWrapped(input.caption, StartRect(input, layout));
  layout.textRect = measured;
  layout.textWidth = measured.Width();
  layout.textHeight = measured.Height();
  const Point move = CentringOffset(input, layout);
  layout.textRect = layout.textRect.Offset(move.x, move.y);
  layout.pressedTextRect = layout.textRect.Offset(1, 1);
  PicturePos(input, layout);
}

WindowShape MakeRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
  WindowShape shape;
  shape.elliptic = buttonType == 13;
  shape.width = width;
  shape.height = height;
  if (!shape.elliptic) shape.removedPixels = CutCorners(buttonType, width, height);
  return shape;
}

}  // namespace tesk::button
