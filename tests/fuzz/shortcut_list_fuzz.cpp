// Fuzz target for the shortcut list a host passes as one text: every record becomes one row,
// a row is either the record's three fields or empty, the bands follow the rows, and the
// workbook of the result is written without fault.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/require.h"
#include "windows/shortcut_grid.h"
#include "windows/shortcut_table.h"
#include "workbook/biff8_workbook.h"

namespace {

using tesk::fuzz::Require;

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
  Require(!tesk::workbook::WriteBiff8Workbook(GridSheet(grid), "Sheet").empty());
  return 0;
}
