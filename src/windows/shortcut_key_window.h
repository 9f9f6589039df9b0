#pragma once
// The shortcut-key window (FrmShortcutKey): the host's keyboard shortcuts in a grid banded by
// main menu, and their export to an Excel workbook.

#include <string>

#include "interface/host_values.h"
#include "windows/shared_window.h"
#include "windows/shortcut_grid.h"

namespace tesk::windows {

class ShortcutKeyWindow final : public SharedWindow {
 public:
  // Reads the product symbol from `values` when it loads.
  explicit ShortcutKeyWindow(const HostValues& values);

  // What the next showing lists; each call replaces the whole list.
  void ListOfShortcuts(ShortcutTable table) { grid_ = ShortcutGrid(std::move(table)); }

  void Load(platform::Form& form) override;
  void Click(platform::Form& form, const std::string& control) override;

 private:
  void Export();

  const HostValues& values_;
  ShortcutGrid grid_;
};

}  // namespace tesk::windows
