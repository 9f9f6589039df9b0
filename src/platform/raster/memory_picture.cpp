#include "platform/raster/memory_picture.h"

#include <cmath>

namespace tesk::platform {
namespace {

std::int32_t HimetricAt96Dpi(std::int32_t pixels) {
  return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

}  // namespace

MemoryPicture::MemoryPicture(PictureType type, std::int32_t width, std::int32_t height,
                             std::vector<std::int32_t> pixels,
                             std::optional<std::int32_t> transparent)
    : type_(type),
      width_(width),
      height_(height),
      pixels_(std::move(pixels)),
      transparent_(transparent) {}

std::int32_t MemoryPicture::WidthHimetric() const { return HimetricAt96Dpi(width_); }
std::int32_t MemoryPicture::HeightHimetric() const { return HimetricAt96Dpi(height_); }

// A bitmap shows its own pixels; an icon is drawn over `background`, which shows through its
// mask. Outside the picture, the image is `background` either way.
std::vector<std::int32_t> MemoryPicture::Pixels(std::int32_t width, std::int32_t height,
                                                std::int32_t background) const {
  std::vector<std::int32_t> image(static_cast<size_t>(width) * static_cast<size_t>(height),
                                  background);
  for (std::int32_t y = 0; y < std::min(height, height_); ++y) {
    for (std::int32_t x = 0; x < std::min(width, width_); ++x) {
      const std::int32_t pixel = pixels_[static_cast<size_t>(y * width_ + x)];
      const bool masked = type_ == PictureType::Icon && transparent_ && pixel == *transparent_;
      image[static_cast<size_t>(y * width + x)] = masked ? background : pixel;
    }
  }
  return image;
}

}  // namespace tesk::platform
