#pragma once
// Picture objects made from pixels, for the gallery and the tests: real IPictures, as hosts
// hand them to the button.

#include <cstdint>
#include <vector>

#include "button/property_value.h"

namespace tesk::tools {

// A bitmap picture of width x height pixels (0x00BBGGRR, row by row).
button::PicturePtr MakeBitmapPicture(std::int32_t width, std::int32_t height,
                                     const std::vector<std::int32_t>& pixels);

// A 16 x 16 badge: a red disc with a white bar on `background`, the colour its corners keep.
std::vector<std::int32_t> BadgePixels(std::int32_t background);

}  // namespace tesk::tools
