#include "windows/shortcut_key_window.h"

#include "platform/platform_error.h"
#include "windows/control_rows.h"
#include "windows/shortcut_export.h"
#include "windows/window_artwork.h"
#include "workbook/biff8_workbook.h"

namespace tesk::windows {
namespace {

// Prompt before overwriting, no read-only box, the folder must exist.
constexpr std::uint32_t kSaveDialogFlags = 0x806;

platform::FormTable BuildShortcutKeyTable() {
  const platform::FormFont buttonFont{"MS Sans Serif", 8.25, false, false};
  platform::FormTable table;
  table.name = "FrmShortcutKey";
  table.caption = "Shortcut Keys...";
  table.width = 9015;
  table.height = 5625;
  table.backColor = kWhite;
  table.controls = {
      GridControl("fgShortcut", {150, 150, 8685, 4845}, {"Verdana", 8.25, false, false}),
      ButtonControl("cmd2", {6060, 5100, 1365, 405}, "&Export", buttonFont, 3),
      ButtonControl("cmd1", {7470, 5100, 1365, 405}, "E&xit", buttonFont, 3),
  };
  return table;
}

const platform::FormTable& ShortcutKeyTable() {
  static const platform::FormTable table = BuildShortcutKeyTable();
  return table;
}

}  // namespace

ShortcutKeyWindow::ShortcutKeyWindow(const HostValues& values)
    : SharedWindow(ShortcutKeyTable(), "The Shortcut Keys window"), values_(values) {}

void ShortcutKeyWindow::Load(platform::Form& form) {
  LoadArtworkIcon(form, Services(), values_.productSymbol);
  form.FillGrid("fgShortcut", grid_);
}

void ShortcutKeyWindow::Click(platform::Form& form, const std::string& control) {
  if (control == "cmd2") Export();
  if (control == "cmd1") form.Unload();
}

void ShortcutKeyWindow::Export() {
  const std::string path =
      Services().saveDialogs.AskSaveFileName({"", "Excel|*.Xls", kSaveDialogFlags});
  if (path.empty()) return;  // cancelled
  try {
    ExportShortcutWorkbook(grid_, path, Services().documents);
  } catch (const platform::PlatformError&) {
    // The file the user chose is as it was, and the window says nothing of it.
  } catch (const workbook::SheetTooLarge&) {
    // More rows than a sheet holds: nothing is written rather than part of the list.
  }
}

}  // namespace tesk::windows
