#pragma once
// A picture held in memory: a bitmap or an icon (whose pixels of `transparent` colour are its
// mask), with its size in HIMETRIC at 96 pixels per inch.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/picture.h"

namespace tesk::platform {

class MemoryPicture final : public Picture {
 public:
  MemoryPicture(PictureType type, std::int32_t width, std::int32_t height,
                std::vector<std::int32_t> pixels, std::optional<std::int32_t> transparent = {});

  PictureType Type() const override { return type_; }
  std::int32_t WidthHimetric() const override;
  std::int32_t HeightHimetric() const override;
  std::vector<std::int32_t> Pixels(std::int32_t width, std::int32_t height,
                                   std::int32_t background) const override;

 private:
  PictureType type_;
  std::int32_t width_;
  std::int32_t height_;
  std::vector<std::int32_t> pixels_;
  std::optional<std::int32_t> transparent_;
};

}  // namespace tesk::platform
