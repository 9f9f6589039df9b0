#pragma once
// The globals that say how cells look: the fonts, the cell formats (XF records) with the
// standard style formats before them, the Normal style, and the palette of the fills.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "workbook/biff8_workbook.h"
#include "workbook/record_writer.h"

namespace tesk::workbook {

class CellFormats {
 public:
  // The cell format of a plain look, and of cells that have none.
  static constexpr std::uint16_t kPlainXf = 15;

  // The cell format of rows that look like `look`, made the first time it is asked for.
  std::uint16_t XfOf(const RowLook& look);

  // The FONT, XF, STYLE and PALETTE records, in the order the globals hold them.
  void Write(RecordWriter& out, const SheetFont& font) const;

  // An upper bound of the bytes Write adds.
  std::size_t WrittenSizeBound() const;

 private:
  std::vector<RowLook> looks_;  // the cell formats after kPlainXf, in order
};

}  // namespace tesk::workbook
