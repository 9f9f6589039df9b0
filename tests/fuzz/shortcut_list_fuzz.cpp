// Fuzz target for the shortcut list a host passes as one text: every record becomes one row,
// a row is either the record's three fields or empty, the rows are banded by their main menu,
// and the workbook of the result reads back with each row in the cell format of its band.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "fuzz/biff8_reader.h"
#include "fuzz/require.h"
#include "windows/shortcut_grid.h"
#include "windows/shortcut_table.h"
#include "workbook/biff8_workbook.h"

namespace {

using tesk::fuzz::Require;
using tesk::platform::OleColor;

class GridSheet final : public tesk::workbook::SheetContents {
 public:
  explicit GridSheet(const tesk::windows::ShortcutGrid& grid) : grid_(grid) {}
  std::size_t RowCount() const override { return grid_.RowCount(); }
  std::size_t ColumnCount() const override { return 3; }
  const std::string& Text(std::size_t row, std::size_t column) const override {
    return grid_.Cell(row, column);
  }
  tesk::workbook::RowLook Look(std::size_t row) const override {
    return {false, false, grid_.RowBackColor(row)};
  }
  double ColumnWidth(std::size_t) const override { return 10; }

 private:
  const tesk::windows::ShortcutGrid& grid_;
};

// The bands by their rule: a new one wherever the main menu differs from the one above (the
// header's, above the first row, is empty), white first, then light yellow and white in turn.
void RequireBands(const tesk::windows::ShortcutGrid& grid) {
  std::optional<OleColor> band;
  std::string above;
  for (std::size_t row = 0; row < grid.RowCount(); ++row) {
    if (grid.Cell(row, 0) != above) band = band == OleColor{0xFFFFFF} ? 0xC0FFFF : 0xFFFFFF;
    above = grid.Cell(row, 0);
    Require(grid.RowBackColor(row) == band);
  }
}

// Every cell read back from the workbook is in the grid and in the format of its row's band:
// one format a band, each band its own.
void RequireWorkbookBands(const tesk::windows::ShortcutGrid& grid) {
  const auto book = tesk::fuzz::ReadBiff8Workbook(
      tesk::workbook::WriteBiff8Workbook(GridSheet(grid), "Sheet"));
  std::map<std::optional<OleColor>, std::uint16_t> formatOfBand;
  std::set<std::uint16_t> formats;
  for (const auto& cell : book.cells) {
    Require(cell.row < grid.RowCount() && cell.column < 3);
    const auto [known, added] = formatOfBand.emplace(grid.RowBackColor(cell.row), cell.xf);
    Require(known->second == cell.xf && (!added || formats.insert(cell.xf).second));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string list(reinterpret_cast<const char*>(data), size);
  tesk::windows::ShortcutTable table;
  try {
    table = tesk::windows::ParseShortcutList(list);
  } catch (const tesk::windows::ShortcutListError& error) {
    Require(list.empty() ? error.number() == 9 : error.number() == 6);
    return 0;
  }
  Require(table.size() == static_cast<std::size_t>(std::count(list.begin(), list.end(), '^')) + 1);
  std::size_t at = 0;
  for (const auto& row : table) {
    const std::size_t end = std::min(list.find('^', at), list.size());
    const std::string record = list.substr(at, end - at);
    const std::string joined = row.mainMenu + "|" + row.menuItem + "|" + row.keys;
    Require(joined == record || (joined == "||" && std::count(record.begin(), record.end(), '|') != 2));
    at = end + 1;
  }
  const tesk::windows::ShortcutGrid grid(std::move(table));
  RequireBands(grid);
  RequireWorkbookBands(grid);
  return 0;
}
