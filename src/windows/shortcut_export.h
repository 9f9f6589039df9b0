#pragma once
// The shortcut grid saved as an Excel workbook: the header row and every row as shown, with
// the header bold and centred and each row on its band colour.

#include <string>

#include "platform/documents.h"
#include "windows/shortcut_grid.h"

namespace tesk::windows {

// Writes the whole workbook to `path` in one go. Throws PlatformError when it cannot be
// written (the file is then as it was) and workbook::SheetTooLarge for a grid that does not
// fit a sheet.
void ExportShortcutWorkbook(const ShortcutGrid& grid, const std::string& path,
                            platform::CompoundDocuments& documents);

}  // namespace tesk::windows
