#include "doubles/raster_host.h"

namespace tesk::test {

RasterHost::RasterHost(std::int32_t w, std::int32_t h)
    : width(w), height(h), canvas(w, h, 0x010203) {}

void RasterHost::SetSurfaceFont(const button::FontDescription& f) {
  font = f;
  fontWeights.push_back(f.weight);
}

button::FontDescription RasterHost::AmbientFont() {
  button::FontDescription ambient;
  ambient.name = "MS Sans Serif";
  return ambient;
}

// The classic Windows colours.
button::Rgb RasterHost::SystemColor(int index) {
  switch (index) {
    case button::kSelectionHighlight: return 0x800000;
    case button::kButtonFace: return 0xC0C0C0;
    case button::kButtonShadow: return 0x808080;
    case button::kButtonText: return 0x000000;
    case button::kButtonHighlight: return 0xFFFFFF;
    case button::kDarkShadow3D: return 0x000000;
    case button::kLight3D: return 0xDFDFDF;
    default: return 0x000000;
  }
}

button::Rgb RasterHost::TranslateColor(button::OleColor colour) {
  if (colour & 0x80000000u) return (colour & 0xFFFFFF00u) == 0x80000000u ? SystemColor(colour & 0xFF) : 0;
  return static_cast<button::Rgb>(colour);
}

}  // namespace tesk::test
