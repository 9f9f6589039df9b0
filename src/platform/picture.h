#pragma once
// A picture a cmd button shows: a bitmap or an icon with its size in HIMETRIC units
// (0.01 mm), as a picture object describes itself. On Windows it is an IPicture.

#include <cstdint>
#include <vector>

namespace tesk::platform {

enum class PictureType { Bitmap = 1, Icon = 3 };

class Picture {
 public:
  virtual ~Picture() = default;
  virtual PictureType Type() const = 0;
  virtual std::int32_t WidthHimetric() const = 0;
  virtual std::int32_t HeightHimetric() const = 0;
  // The picture at its natural size, top-left in a width x height image (0x00BBGGRR, row by
  // row); where it is transparent (an icon's mask) and beyond it, `background` shows.
  virtual std::vector<std::int32_t> Pixels(std::int32_t width, std::int32_t height,
                                           std::int32_t background) const = 0;
};

}  // namespace tesk::platform
