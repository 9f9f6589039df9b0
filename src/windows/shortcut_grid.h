#pragma once
// The shortcut table as the grid shows it: banded by main menu, so that the rows of one menu
// read as one block.

#include <optional>
#include <vector>

#include "platform/form.h"
#include "windows/shortcut_table.h"

namespace tesk::windows {

constexpr platform::OleColor kBandWhite = 0xFFFFFF;
constexpr platform::OleColor kBandYellow = 0xC0FFFF;

// Each row's band colour. A new band starts wherever the main menu differs from the row
// before (exact text, no trimming); bands alternate white and light yellow, the first white.
// Rows before the first change (a first row with no main menu) have no band colour.
std::vector<std::optional<platform::OleColor>> BandColours(const ShortcutTable& table);

class ShortcutGrid final : public platform::GridContents {
 public:
  ShortcutGrid() = default;
  explicit ShortcutGrid(ShortcutTable table);

  const ShortcutTable& Table() const { return table_; }

  std::size_t ColumnCount() const override { return 3; }
  std::size_t RowCount() const override { return table_.size(); }
  const std::string& Header(std::size_t column) const override;
  const std::string& Cell(std::size_t row, std::size_t column) const override;
  std::optional<platform::OleColor> RowBackColor(std::size_t row) const override {
    return bands_[row];
  }

 private:
  ShortcutTable table_;
  std::vector<std::optional<platform::OleColor>> bands_;
};

}  // namespace tesk::windows
