// Fuzz target for the shortcut list a host passes as one text: every record becomes one row,
// a row is either the record's three fields or empty, and the rows are banded by their main menu.
// That each band's look becomes a cell format of its own, the workbook target shows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/require.h"
#include "windows/shortcut_grid.h"
#include "windows/shortcut_table.h"

namespace {

using tesk::fuzz::Require;
using tesk::platform::OleColor;

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
    const bool threeFields = std::count(record.begin(), record.end(), '|') == 2;
    Require(joined == (threeFields ? record : "||"));
    at = end + 1;
  }
  const tesk::windows::ShortcutGrid grid(std::move(table));
  RequireBands(grid);
  return 0;
}
