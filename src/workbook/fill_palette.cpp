#include "workbook/fill_palette.h"

#include <algorithm>

namespace tesk::workbook {
namespace {

// Excel's default BIFF8 palette, as 0xRRGGBB for comparison with its documentation.
constexpr std::array<std::uint32_t, 56> kDefaultRgb = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

// 0xRRGGBB and 0x00BBGGRR into each other.
constexpr std::uint32_t SwapRedBlue(std::uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

int Channel(std::uint32_t colour, int shift) { return static_cast<int>(colour >> shift & 0xFF); }

int Distance(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (const int shift : {0, 8, 16}) {
    const int d = Channel(a, shift) - Channel(b, shift);
    sum += d * d;
  }
  return sum;
}

}  // namespace

FillPalette::FillPalette(const std::vector<std::uint32_t>& fills) {
  std::transform(kDefaultRgb.begin(), kDefaultRgb.end(), colours_.begin(), SwapRedBlue);
  std::array<bool, kColours> kept{};
  std::vector<std::uint32_t> missing;
  for (const std::uint32_t fill : fills) {
    const auto found = std::find(colours_.begin(), colours_.end(), fill);
    if (found != colours_.end()) {
      kept[found - colours_.begin()] = true;
    } else {
      missing.push_back(fill);
    }
  }
  std::size_t free = kColours;
  for (const std::uint32_t fill : missing) {
    while (free > 0 && kept[free - 1]) --free;
    if (free == 0) return;
    colours_[--free] = fill;
  }
}

std::uint16_t FillPalette::IndexOf(std::uint32_t fill) const {
  const auto nearest = std::min_element(
      colours_.begin(), colours_.end(),
      [fill](std::uint32_t a, std::uint32_t b) { return Distance(a, fill) < Distance(b, fill); });
  return static_cast<std::uint16_t>(kFirstIndex + (nearest - colours_.begin()));
}

void FillPalette::Write(RecordWriter& out) const {
  out.Begin(kPalette);
  out.U16(kColours);
  for (const std::uint32_t colour : colours_) out.U32(colour);  // red, green, blue, unused
  out.End();
}

}  // namespace tesk::workbook
