#include "windows/shortcut_export.h"

#include <algorithm>

#include "workbook/biff8_workbook.h"

namespace tesk::windows {
namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence.
std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The grid as a sheet: row 0 is the header row, row i + 1 the grid's row i.
class ShortcutSheet final : public workbook::SheetContents {
 public:
  explicit ShortcutSheet(const ShortcutGrid& grid) : grid_(grid) { MeasureColumns(); }

  std::size_t RowCount() const override { return grid_.RowCount() + 1; }
  std::size_t ColumnCount() const override { return grid_.ColumnCount(); }
  const std::string& Text(std::size_t row, std::size_t column) const override {
    return row == 0 ? grid_.Header(column) : grid_.Cell(row - 1, column);
  }
  workbook::RowLook Look(std::size_t row) const override {
    if (row == 0) return {true, true, std::nullopt};
    return {false, false, grid_.RowBackColor(row - 1)};
  }
  double ColumnWidth(std::size_t column) const override { return widths_[column]; }

 private:
  // As the grid does: each column as wide as its longest text, with a little room either side.
  void MeasureColumns() {
    constexpr double kMargin = 2.0;
    widths_.assign(ColumnCount(), 0.0);
    for (std::size_t row = 0; row < RowCount(); ++row) {
      for (std::size_t column = 0; column < ColumnCount(); ++column) {
        const auto characters = static_cast<double>(CharacterCount(Text(row, column)));
        widths_[column] = std::max(widths_[column], characters + kMargin);
      }
    }
  }

  const ShortcutGrid& grid_;
  std::vector<double> widths_;
};

}  // namespace

void ExportShortcutWorkbook(const ShortcutGrid& grid, const std::string& path,
                            platform::CompoundDocuments& documents) {
  const ShortcutSheet sheet(grid);
  documents.WriteSingleStream(path, "Workbook",
                              workbook::WriteBiff8Workbook(sheet, "Shortcut Keys", {}));
}

}  // namespace tesk::windows
