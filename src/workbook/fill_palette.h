#pragma once
// The workbook's 56-colour palette: Excel's default colours, with every fill the sheet uses put
// in exactly, since cells can only name a palette entry.

#include <array>
#include <cstdint>
#include <vector>

#include "workbook/record_writer.h"

namespace tesk::workbook {

class FillPalette {
 public:
  // `fills` are 0x00BBGGRR. A fill that is a default colour keeps that entry; the others replace
  // entries from the last one down. Past 56 fills, the rest get the nearest colour there is.
  explicit FillPalette(const std::vector<std::uint32_t>& fills);

  // The colour index (8 to 63) that cells name for `fill`.
  std::uint16_t IndexOf(std::uint32_t fill) const;

  // The PALETTE record.
  void Write(RecordWriter& out) const;

 private:
  static constexpr std::size_t kColours = 56;
  static constexpr std::uint16_t kFirstIndex = 8;  // indices 0 to 7 are fixed colours

  std::array<std::uint32_t, kColours> colours_;
};

}  // namespace tesk::workbook
