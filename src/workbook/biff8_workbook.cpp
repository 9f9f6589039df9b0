#include "workbook/biff8_workbook.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "workbook/cell_formats.h"
#include "workbook/record_writer.h"
#include "workbook/shared_strings.h"
#include "workbook/utf16_text.h"

namespace tesk::workbook {
namespace {

constexpr std::uint32_t kEmptyCell = 0xFFFFFFFF;
constexpr std::size_t kMaxSheetName = 31;
constexpr double kMaxColumnWidth = 255;  // characters

// One pass over the sheet gathers what the globals need before the sheet is written: its strings
// and cell formats, and for the sheet where each cell's string went.
struct GatheredCells {
  SharedStrings strings;
  CellFormats formats;
  std::vector<std::uint16_t> rowXf;
  std::vector<std::uint32_t> cellString;  // row by row; kEmptyCell for an empty cell
  std::uint32_t references = 0;
};

GatheredCells Gather(const SheetContents& sheet, std::size_t rows, std::size_t columns) {
  GatheredCells cells;
  cells.rowXf.reserve(rows);
  cells.cellString.reserve(rows * columns);
  std::u16string units;
  for (std::size_t row = 0; row < rows; ++row) {
    cells.rowXf.push_back(cells.formats.XfOf(sheet.Look(row)));
    for (std::size_t column = 0; column < columns; ++column) {
      ToUtf16(sheet.Text(row, column), kMaxCellCharacters, units);
      if (units.empty()) {
        cells.cellString.push_back(kEmptyCell);
      } else {
        cells.cellString.push_back(cells.strings.Intern(units));
        ++cells.references;
      }
    }
  }
  return cells;
}

void WriteRecord(RecordWriter& out, std::uint16_t id, std::initializer_list<std::uint16_t> data) {
  out.Begin(id);
  for (const std::uint16_t value : data) out.U16(value);
  out.End();
}

void WriteBof(RecordWriter& out, std::uint16_t stream) {
  out.Begin(kBof);
  out.U16(0x0600);  // BIFF8
  out.U16(stream);
  out.U16(0x0DBB);  // the build and year of Excel 97's
  out.U16(0x07CC);
  out.U32(0);
  out.U32(0x06);  // readable from BIFF8 on
  out.End();
}

// Excel refuses names longer than 31 characters, empty ones, and these characters in them.
std::u16string SheetName(const std::string& name) {
  std::u16string units;
  ToUtf16(name, kMaxSheetName, units);
  constexpr std::u16string_view kRefused = u"[]:*?/\\";
  std::replace_if(
      units.begin(), units.end(),
      [kRefused](char16_t unit) { return kRefused.find(unit) != std::u16string_view::npos; }, u'_');
  return units.empty() ? u"Sheet1" : units;
}

// Returns where the sheet's stream offset goes, known only once the globals are written.
std::size_t WriteGlobals(RecordWriter& out, const GatheredCells& cells,
                         const std::string& sheetName, const SheetFont& font) {
  WriteBof(out, kGlobalsStream);
  WriteRecord(out, kCodepage, {1200});  // UTF-16
  // Window position and size in twips, horizontal and vertical scroll bars and sheet tabs shown,
  // the first sheet active and selected, tab bar 60% wide.
  WriteRecord(out, kWindow1, {0, 0, 0x3A5C, 0x2328, 0x0038, 0, 0, 1, 600});
  cells.formats.Write(out, font);
  out.Begin(kBoundSheet);
  const std::size_t sheetOffsetAt = out.Offset();
  out.U32(0);
  out.U8(0);  // visible
  out.U8(0);  // a worksheet
  out.ShortText(SheetName(sheetName));
  out.End();
  cells.strings.Write(out, cells.references);
  WriteRecord(out, kEof, {});
  return sheetOffsetAt;
}

void WriteColumns(RecordWriter& out, const SheetContents& sheet, std::size_t columns) {
  for (std::size_t column = 0; column < columns; ++column) {
    const double width = std::clamp(sheet.ColumnWidth(column), 0.0, kMaxColumnWidth);
    const auto index = static_cast<std::uint16_t>(column);
    // In 1/256 of a character; set by the user, so Excel keeps it.
    WriteRecord(out, kColInfo,
                {index, index, static_cast<std::uint16_t>(std::lround(width * 256)),
                 CellFormats::kPlainXf, 0x0002, 0});
  }
}

void WriteDimensions(RecordWriter& out, std::size_t rows, std::size_t columns) {
  if (rows == 0 || columns == 0) rows = columns = 0;
  out.Begin(kDimensions);
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(rows));  // one past the last
  out.U16(0);
  out.U16(static_cast<std::uint16_t>(columns));
  out.U16(0);
  out.End();
}

// Empty cells of a row that is not plain are written blank, so the row's fill goes on.
void WriteCells(RecordWriter& out, const GatheredCells& cells, std::size_t columns) {
  const std::uint32_t* string = cells.cellString.data();
  for (std::size_t row = 0; row < cells.rowXf.size(); ++row) {
    const std::uint16_t xf = cells.rowXf[row];
    for (std::size_t column = 0; column < columns; ++column, ++string) {
      if (*string == kEmptyCell && xf == CellFormats::kPlainXf) continue;
      out.Begin(*string == kEmptyCell ? kBlank : kLabelSst);
      out.U16(static_cast<std::uint16_t>(row));
      out.U16(static_cast<std::uint16_t>(column));
      out.U16(xf);
      if (*string != kEmptyCell) out.U32(*string);
      out.End();
    }
  }
}

void WriteSheet(RecordWriter& out, const SheetContents& sheet, const GatheredCells& cells,
                std::size_t columns) {
  WriteBof(out, kWorksheetStream);
  WriteRecord(out, kWsBool, {0x04C1});  // a worksheet; page breaks and outline symbols shown
  WriteColumns(out, sheet, columns);
  WriteDimensions(out, cells.rowXf.size(), columns);
  WriteCells(out, cells, columns);
  // Grid lines, headers, zeros and outline symbols shown, the sheet selected and active.
  WriteRecord(out, kWindow2, {0x06B6, 0, 0, 0x40, 0, 0, 0, 0, 0});
  WriteRecord(out, kEof, {});
}

std::size_t StreamSizeBound(const GatheredCells& cells, std::size_t columns) {
  constexpr std::size_t kFixedRecords = 512;
  constexpr std::size_t kLabelSize = 14;
  return kFixedRecords + cells.formats.WrittenSizeBound() + cells.strings.WrittenSizeBound() +
         columns * 16 + cells.cellString.size() * kLabelSize;
}

}  // namespace

std::vector<std::uint8_t> WriteBiff8Workbook(const SheetContents& sheet,
                                             const std::string& sheetName, const SheetFont& font) {
  const std::size_t rows = sheet.RowCount();
  const std::size_t columns = sheet.ColumnCount();
  if (rows > kMaxRows || columns > kMaxColumns) {
    throw SheetTooLarge("a BIFF8 sheet holds at most 65536 rows and 256 columns, not " +
                        std::to_string(rows) + " rows and " + std::to_string(columns) + " columns");
  }
  const GatheredCells cells = Gather(sheet, rows, columns);
  std::vector<std::uint8_t> stream;
  stream.reserve(StreamSizeBound(cells, columns));
  RecordWriter out(stream);
  const std::size_t sheetOffsetAt = WriteGlobals(out, cells, sheetName, font);
  out.PatchU32(sheetOffsetAt, static_cast<std::uint32_t>(out.Offset()));
  WriteSheet(out, sheet, cells, columns);
  return stream;
}

}  // namespace tesk::workbook
