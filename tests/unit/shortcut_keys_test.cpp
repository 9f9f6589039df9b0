#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/window_doubles.h"
#include "windows/shortcut_key_window.h"

namespace tesk::windows {
namespace {

using Calls = std::vector<std::string>;

TEST(ShortcutList, RefusesMoreRecordsThanA16BitCounter) {
  try {
    ParseShortcutList(std::string(32767, '^'));  // 32,768 records
    ADD_FAILURE() << "32,768 records accepted";
  } catch (const ShortcutListError& error) {
    EXPECT_EQ(error.number(), 6);
  }
  std::string most;
  for (int i = 0; i < 32767; ++i) most += i ? "^M|I|K" : "M|I|K";
  EXPECT_EQ(ParseShortcutList(most).size(), 32767u);
}

class ShortcutKeys : public ::testing::Test, protected test::WindowDoubles {
 protected:
  Calls Show(const std::string& list, std::vector<test::FormAction> script) {
    window.ListOfShortcuts(ParseShortcutList(list));
    forms.scripts["FrmShortcutKey"] = std::move(script);
    window.Show(services);
    Calls all = forms.calls;
    all.insert(all.end(), documents.calls.begin(), documents.calls.end());
    return all;
  }

  HostValues values;
  ShortcutKeyWindow window{values};
};

TEST_F(ShortcutKeys, LoadsTheIconThenFillsTheGridAndExitCloses) {
  values.productSymbol = "TESKLEDGER";
  files.files["c:\\windows\\system32\\Varnsetting\\icon.ico"] = "";
  EXPECT_EQ(Show("A|x|1^B|y|2", {test::ClickOn("cmd1"), test::ClickOn("cmd2")}),
            (Calls{"ShowModal FrmShortcutKey", "LoadIcon c:\\windows\\system32\\Varnsetting\\icon.ico",
                   "FillGrid fgShortcut=2 rows", "Unload", "closed FrmShortcutKey"}));
}

TEST_F(ShortcutKeys, ExportAsksForAFileAndWritesTheWorkbookOnlyWhenOneIsChosen) {
  const Calls dialog = {"dialog |Excel|*.Xls flags 2054"};
  Show("A|x|1", {test::ClickOn("cmd2")});
  EXPECT_EQ(documents.calls, dialog);  // cancelled: nothing written

  documents.calls.clear();
  documents.answer = "C:\\out\\keys";
  Show("A|x|1", {test::ClickOn("cmd2")});
  EXPECT_EQ(documents.calls, (Calls{dialog[0], "write C:\\out\\keys Workbook"}));

  // A failed write leaves the grid and the open window as they were.
  documents.writeError = "Access is denied.";
  documents.calls.clear();
  const platform::GridContents* before = nullptr;
  Show("A|x|1^A|y|2", {test::ClickOn("cmd2"), [&](platform::Form&, platform::FormEvents&) {
                         before = forms.grid;
                       }});
  EXPECT_EQ(before->RowCount(), 2u);
}

}  // namespace
}  // namespace tesk::windows
