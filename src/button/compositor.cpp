#include "button/compositor.h"

#include <cmath>

namespace tesk::button {
namespace {

struct Channels {
  std::int32_t red;
  std::int32_t green;
  std::int32_t blue;
};

Channels Split(Rgb colour) {
  return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

Rgb Join(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return red | (green << 8) | (blue << 16);
}

std::int32_t Nearest(double value) { return static_cast<std::int32_t>(std::nearbyint(value)); }

Rgb Grey(Rgb source) {
  const Channels s = Split(source);
  const std::int32_t g = Nearest(Nearest(s.red * 0.3) + s.green * 0.59 + s.blue * 0.11);
  return Join(g, g, g);
}

Rgb Blend(Rgb source, Rgb target) {
  const Channels s = Split(source);
  const Channels t = Split(target);
  return Join((2 * s.red + t.red) / 3, (2 * s.green + t.green) / 3, (2 * s.blue + t.blue) / 3);
}

bool IsDark(Rgb colour) {
  const Channels c = Split(colour);
  return c.red + c.green + c.blue <= 384;
}

Rgb Composite(Rgb source, Rgb target, const CompositeMode& mode) {
  if (mode.brush >= 0) {
    if (!mode.darkOnly || IsDark(source)) return mode.brush;
    return target;
  }
  if (mode.greyscale) return Grey(source);
  if (mode.blend) return Blend(source, target);
  return source;
}

}  // namespace

void CompositePixels(std::vector<Rgb>& target, const std::vector<Rgb>& source,
                     const CompositeMode& mode, const NearestColor& nearest) {
  for (size_t i = 0; i < target.size() && i < source.size(); ++i) {
    if (mode.transparent) {
      const Rgb shown = nearest ? nearest(source[i]) : source[i];
      if (shown == *mode.transparent) continue;
    }
    target[i] = Composite(source[i], target[i], mode);
  }
}

}  // namespace tesk::button
