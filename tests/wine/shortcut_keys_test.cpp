// The shortcut-key window as hosts use it: the list as text or as an array, through the
// virtual table and IDispatch; the grid read back through list-view messages; the export
// through the real save dialog. The exported workbook is left in "shortcut-export" with what it
// must hold, for the xlrd check that ctest runs next. A failed write (the compound document's)
// is documents_test.cpp's; that the window then says nothing, the native test's.

#include "window_watch.h"

#include <commctrl.h>
#include <dlgs.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "win32/system/text_encoding.h"

namespace tesk::wine_test {
namespace {

using Rows = std::vector<std::wstring>;

constexpr wchar_t kCaption[] = L"Shortcut Keys...";
constexpr char kCompoundDocument[] = "\xD0\xCF\x11\xE0";

HWND GridOf(HWND form) { return ChildOfClass(form, WC_LISTVIEWW); }

std::wstring ItemText(HWND grid, int row, int column) {
  wchar_t text[1024] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 1024;
  SendMessageW(grid, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

// The back colour the form gives a row when the list view asks before drawing it.
COLORREF RowColour(HWND form, HWND grid, int row) {
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr = {grid, static_cast<UINT_PTR>(GetDlgCtrlID(grid)), NM_CUSTOMDRAW};
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  draw.clrTextBk = CLR_DEFAULT;
  SendMessageW(form, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
  return draw.clrTextBk;
}

// Each row as "main menu|menu item|keys", with " yellow" on the light-yellow band.
Rows GridRows(HWND form) {
  const HWND grid = GridOf(form);
  Rows rows;
  const int count = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::wstring text = ItemText(grid, row, 0) + L"|" + ItemText(grid, row, 1) + L"|" +
                        ItemText(grid, row, 2);
    const COLORREF colour = RowColour(form, grid, row);
    if (colour == RGB(0xFF, 0xFF, 0xC0)) text += L" yellow";
    else if (colour != RGB(0xFF, 0xFF, 0xFF)) text += L" no band";
    rows.push_back(text);
  }
  return rows;
}

// Shows the window for `show`, checks its rows and closes it.
void ExpectRows(const Rows& rows, const std::function<HRESULT()>& show) {
  WhileShown({kCaption, show}, [&rows](HWND form) { EXPECT_EQ(GridRows(form), rows); });
}

std::string Utf8(const std::wstring& text) { return win32::Utf8FromWide(text.data(), text.size()); }

std::wstring ExportFolder() {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  const std::wstring folder = std::wstring(current) + L"\\shortcut-export";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

HRESULT ShowArray(SAFEARRAY* array) {
  Variant result;
  const HRESULT hr = Info()->ShowShortcutKey(&array, &result);
  if (array) SafeArrayDestroy(array);
  return hr;
}

void ExpectBoldCentredHeader(HWND grid, int column, const std::wstring& text) {
  const HWND header = ListView_GetHeader(grid);
  wchar_t shown[64];
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT;
  item.pszText = shown;
  item.cchTextMax = 64;
  SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(shown), text);
  EXPECT_TRUE(item.fmt & HDF_CENTER);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
}

// The cell lines tests/unit/read_xls.py prints for the export of these grid rows: "cell <row>
// <column> <bold> <centred> <fill> <text>", the header bold and centred, each row filled as its
// band.
std::string ExportedCells(const Rows& rows) {
  Rows table{L"Main Menu|Menu Item|Shortcut Keys"};
  table.insert(table.end(), rows.begin(), rows.end());
  const std::wregex cellsAndBand(L"([^|]*)\\|([^|]*)\\|(.*?)( yellow)?");
  std::wstring lines;
  for (size_t r = 0; r < table.size(); ++r) {
    std::wsmatch row;
    std::regex_match(table[r], row, cellsAndBand);
    const std::wstring look = r == 0 ? L"1 1 -" : row[4].matched ? L"0 0 FFFFC0" : L"0 0 FFFFFF";
    for (int column = 0; column < 3; ++column) {
      lines += L"cell " + std::to_wstring(r) + L" " + std::to_wstring(column) + L" " + look +
               L" " + row[column + 1].str() + L"\n";
    }
  }
  return Utf8(lines);
}

// Answers Yes to the save dialog's question whether to replace the file once it shows, then
// runs `after` on the shortcut-key window; cancels the dialog when no question comes.
void ReplaceWhenAsked(HWND dialog, DWORD deadline, std::function<void(HWND)> after) {
  When(L"Save As", [dialog, deadline, after](HWND) {
    const HWND question = GetLastActivePopup(dialog);  // a window the dialog owns
    if (question != dialog) {
      PostMessageW(question, WM_COMMAND, IDYES, 0);
    } else if (GetTickCount() < deadline) {
      return ReplaceWhenAsked(dialog, deadline, after);
    } else {
      ADD_FAILURE() << "no question whether to replace the file";
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    When(kCaption, after);
  });
}

// Answers the next save dialog, modal to the shortcut-key window with the one file type
// "Excel", as a user would: types `file`, presses Save and replaces it.
void ReplaceThroughSaveDialog(const std::wstring& file, std::function<void(HWND)> after) {
  When(L"Save As", [file, after](HWND dialog) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), FindWindowW(nullptr, kCaption));
    const HWND types = GetDlgItem(dialog, cmb1);
    EXPECT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(TextOf(types), L"Excel");
    const auto name = SendMessageW(GetDlgItem(dialog, cmb13), CBEM_GETEDITCONTROL, 0, 0);
    SetWindowTextW(reinterpret_cast<HWND>(name), file.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ReplaceWhenAsked(dialog, GetTickCount() + 5000, after);
  });
}

// The export replaces a file after the dialog's question, through a file written beside it,
// and leaves the grid as it was. That a cancelled dialog writes nothing is the native test's.
TEST(ShortcutKeyWindow, ShowsTheListBandedByMainMenuAndExportsItThroughTheSaveDialog) {
  SetProduct(L"TESKINVOICE");
  const std::wstring folder = ExportFolder();
  const std::wstring file = folder + L"\\banded";  // no extension is added
  DeleteFileW((file + L".expected").c_str());
  std::ofstream(file.c_str(), std::ios::binary) << "old";
  const Rows rows = {L"File|Open|Ctrl+O", L"File|Save|Ctrl+S",
                     L"Правка|Копировать 複製|Ctrl+C yellow", L"||", L" File|\U0001F600|F1 yellow"};
  wchar_t before[MAX_PATH], after[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  When(kCaption, [&](HWND form) {
    const HWND grid = GridOf(form);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(GridRows(form), rows);
    ExpectBoldCentredHeader(grid, 2, L"Shortcut Keys");
    ReplaceThroughSaveDialog(file, [&, form](HWND) {
      GetCurrentDirectoryW(MAX_PATH, after);
      EXPECT_EQ(GridRows(form), rows) << "the grid as it was";
      Click(ChildWithText(form, L"E&xit").window);
    });
    Click(ChildWithText(form, L"&Export").window);
  });
  EXPECT_EQ(ShowShortcutKeys(L"File|Open|Ctrl+O^File|Save|Ctrl+S^Правка|Копировать 複製|Ctrl+C"
                             L"^bad^ File|\U0001F600|F1"),
            S_OK);
  EXPECT_STREQ(after, before) << "the host's current directory is kept";
  EXPECT_EQ(FileBytes(file).substr(0, 4), kCompoundDocument);
  EXPECT_EQ(FilesIn(folder), Rows{L"banded"});
  std::ofstream((file + L".expected").c_str(), std::ios::binary) << ExportedCells(rows);
}

TEST(ShortcutKeyWindow, ListsAndArraysThatCannotBeATableFailWithoutAWindow) {
  When(kCaption, [](HWND form) {
    ADD_FAILURE() << "the window was shown";
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  const std::wstring records32768(32767, L'^');
  EXPECT_EQ(ShowShortcutKeys(records32768), static_cast<HRESULT>(0x800A0006));
  EXPECT_EQ(ErrorDescription(), L"Overflow");
  SAFEARRAYBOUND oneDimension{3, 0};
  SAFEARRAY* none = nullptr;
  for (SAFEARRAY* array : {TextTable({{L"A", L"b"}}),
                           SafeArrayCreate(VT_BSTR, 1, &oneDimension), none}) {
    EXPECT_EQ(ShowArray(array), static_cast<HRESULT>(0x800A0009));
  }
  ClearWatches();
}

// Rows and columns from any lower bound; a fourth column is not shown. Through IDispatch a
// host may pass an array of variants, each converted to text, by reference or, as VBScript
// passes its variables, in a variant by reference.
TEST(ShortcutKeyWindow, TakesArraysWithAnyBoundsAndVariantArraysThroughIDispatch) {
  ExpectRows({L"A|x|1", L"B|y|2 yellow"}, [] {
    return ShowArray(TextTable({{L"A", L"x", L"1", L"hidden"}, {L"B", L"y", L"2", L""}}, 5, 1));
  });

  SAFEARRAYBOUND bounds[2] = {{1, 0}, {3, 0}};
  SAFEARRAY* variants = SafeArrayCreate(VT_VARIANT, 2, bounds);
  VARIANT* cells = nullptr;  // the one row's three columns
  SafeArrayAccessData(variants, reinterpret_cast<void**>(&cells));
  cells[0] = Text(SysAllocString(L"Menu"));  // freed with the array
  V_VT(&cells[1]) = VT_I4;
  V_I4(&cells[1]) = 42;
  V_VT(&cells[2]) = VT_BOOL;
  V_BOOL(&cells[2]) = VARIANT_TRUE;
  SafeArrayUnaccessData(variants);
  VARIANT variable, byArray, byVariable;
  V_VT(&variable) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&variable) = variants;
  V_VT(&byArray) = VT_ARRAY | VT_VARIANT | VT_BYREF;
  V_ARRAYREF(&byArray) = &variants;
  V_VT(&byVariable) = VT_VARIANT | VT_BYREF;
  V_VARIANTREF(&byVariable) = &variable;
  for (const VARIANT& argument : {byArray, byVariable}) {
    ExpectRows({L"Menu|42|True"}, [&argument] {
      Variant result;
      return CallByName(Info().Get(), L"ShowShortcutKey", {argument}, &result);
    });
  }
  SafeArrayDestroy(variants);
}

}  // namespace
}  // namespace tesk::wine_test
