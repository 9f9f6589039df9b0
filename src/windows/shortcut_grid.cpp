#include "windows/shortcut_grid.h"

#include <array>
#include <utility>

namespace tesk::windows {

std::vector<std::optional<platform::OleColor>> BandColours(const ShortcutTable& table) {
  std::vector<std::optional<platform::OleColor>> bands;
  bands.reserve(table.size());
  const std::string* previousMenu = nullptr;
  std::optional<platform::OleColor> band;
  for (const Shortcut& row : table) {
    const bool sameMenu = previousMenu ? *previousMenu == row.mainMenu : row.mainMenu.empty();
    if (!sameMenu) band = band == kBandWhite ? kBandYellow : kBandWhite;
    previousMenu = &row.mainMenu;
    bands.push_back(band);
  }
  return bands;
}

ShortcutGrid::ShortcutGrid(ShortcutTable table)
    : table_(std::move(table)), bands_(BandColours(table_)) {}

const std::string& ShortcutGrid::Header(std::size_t column) const {
  static const std::array<std::string, 3> headers = {"Main Menu", "Menu Item", "Shortcut Keys"};
  return headers.at(column);
}

const std::string& ShortcutGrid::Cell(std::size_t row, std::size_t column) const {
  const Shortcut& shortcut = table_.at(row);
  switch (column) {
    case 0: return shortcut.mainMenu;
    case 1: return shortcut.menuItem;
    default: return shortcut.keys;
  }
}

}  // namespace tesk::windows
