#pragma once
// The pixel work of BlitPicture: puts a picture's pixels over the face already drawn, with a
// transparent colour, as a solid or dark-pixel silhouette, in greyscale, or blended.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/canvas.h"

namespace tesk::button {

using platform::Rgb;

struct CompositeMode {
  std::optional<Rgb> transparent;  // none: every pixel is drawn (UseMaskColor off)
  Rgb brush = -1;                  // a silhouette colour, or -1 for none
  bool darkOnly = false;           // the silhouette covers only pixels with r + g + b <= 384
  bool greyscale = false;
  bool blend = false;              // two parts picture, one part face
};

// The colour a palette surface would show for a colour (GetNearestColor); empty on a
// true-colour surface, where every colour shows as itself and no lookup is made.
using NearestColor = std::function<Rgb(Rgb)>;

// `target` and `source` hold the same number of pixels; `target` is changed in place.
void CompositePixels(std::vector<Rgb>& target, const std::vector<Rgb>& source,
                     const CompositeMode& mode, const NearestColor& nearest = {});

}  // namespace tesk::button
