#pragma once
// A picture a cmd button shows: a bitmap or an icon with its size in HIMETRIC units
// (0.01 mm), as a picture object describes itself. On Windows it is an IPicture.

#include <cstdint>

namespace tesk::button {

enum class PictureType { Bitmap = 1, Icon = 3 };

class Picture {
 public:
  virtual ~Picture() = default;
  virtual PictureType Type() const = 0;
  virtual std::int32_t WidthHimetric() const = 0;
  virtual std::int32_t HeightHimetric() const = 0;
};

}  // namespace tesk::button
