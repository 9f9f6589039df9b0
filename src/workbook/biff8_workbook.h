#pragma once
// A one-sheet Excel workbook in the BIFF8 format (Excel 97 to 2003), as the bytes of its
// "Workbook" stream. Putting the stream into a compound document is the platform's part.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tesk::workbook {

// BIFF8's limits: longer cell texts are cut at this many UTF-16 code units (never between the
// two halves of a surrogate pair); a sheet holds at most this many rows and columns.
constexpr std::size_t kMaxCellCharacters = 32767;
constexpr std::size_t kMaxRows = 65536;
constexpr std::size_t kMaxColumns = 256;

// How a row's cells look. `fill` is a solid background, 0x00BBGGRR as the windows' colours.
struct RowLook {
  bool bold = false;
  bool centred = false;  // horizontally and vertically
  std::optional<std::uint32_t> fill;
};

// What the sheet holds, read row by row while the stream is written.
class SheetContents {
 public:
  virtual ~SheetContents() = default;
  virtual std::size_t RowCount() const = 0;
  virtual std::size_t ColumnCount() const = 0;
  // UTF-8; invalid sequences are written as U+FFFD.
  virtual const std::string& Text(std::size_t row, std::size_t column) const = 0;
  virtual RowLook Look(std::size_t row) const = 0;
  // In characters of the sheet's font ("0" widths), as Excel measures columns.
  virtual double ColumnWidth(std::size_t column) const = 0;
};

struct SheetFont {
  std::string name = "Verdana";
  double points = 8.25;
};

class SheetTooLarge : public std::length_error {
 public:
  using std::length_error::length_error;
};

// The complete Workbook stream: globals (fonts, cell formats, the palette the fills need, the
// shared strings), then the sheet `sheetName` with every cell as text. Throws SheetTooLarge
// beyond kMaxRows or kMaxColumns.
std::vector<std::uint8_t> WriteBiff8Workbook(const SheetContents& sheet,
                                             const std::string& sheetName,
                                             const SheetFont& font = {});

}  // namespace tesk::workbook
