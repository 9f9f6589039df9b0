#include "win32/ui/window_region.h"

#include "win32/ui/gdi_objects.h"

namespace tesk::win32 {

// The rectangle 0..W-1 x 0..H-1 less single pixels (CombineRgn, difference), or the ellipse
// inscribed in 0..W x 0..H.
HRGN CreateWindowRegion(const button::WindowShape& shape) {
  if (shape.elliptic) return CreateEllipticRgn(0, 0, shape.width, shape.height);
  HRGN region = CreateRectRgn(0, 0, shape.width, shape.height);
  if (!region) return nullptr;
  for (const auto& pixel : shape.removedPixels) {
    const UniqueGdiObject cut(CreateRectRgn(pixel.x, pixel.y, pixel.x + 1, pixel.y + 1));
    CombineRgn(region, region, static_cast<HRGN>(cut.get()), RGN_DIFF);
  }
  return region;
}

}  // namespace tesk::win32
