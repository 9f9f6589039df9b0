// The shortcut-key window as hosts use it: the list as text or as an array, through the
// virtual table, IDispatch and VBScript; the grid read back through list-view messages; the
// export through the real save dialog. The exported workbooks are left in "shortcut-export"
// with what each must hold, for the xlrd check that ctest runs next. A failed write (the
// compound document's) is documents_test.cpp's; that the window then says nothing, the native
// test's.

#include "window_watch.h"

#include <commctrl.h>

#include <fstream>
#include <string>
#include <vector>

#include "win32/system/text_encoding.h"
#include "save_dialog_driver.h"

namespace tesk::wine_test {
namespace {

using Rows = std::vector<std::wstring>;

constexpr wchar_t kCaption[] = L"Shortcut Keys...";
constexpr char kCompoundDocument[] = "\xD0\xCF\x11\xE0";

HWND GridOf(HWND form) { return ChildOfClass(form, WC_LISTVIEWW); }

std::wstring ItemText(HWND grid, int row, int column) {
  std::wstring text(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  text.resize(static_cast<size_t>(
      SendMessageW(grid, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item))));
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
  When(kCaption, [rows](HWND form) {
    EXPECT_EQ(GridRows(form), rows);
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(show(), S_OK);
}

std::string Utf8(const std::wstring& text) { return win32::Utf8FromWide(text.data(), text.size()); }

std::wstring ExportFolder() {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  const std::wstring folder = std::wstring(current) + L"\\shortcut-export";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

HRESULT ShowList(const std::wstring& list) {
  Bstr text(list);
  VARIANT result;
  VariantInit(&result);
  return Info()->ShowShortcutKeysForm(text.put(), &result);
}

HRESULT ShowArray(SAFEARRAY* array) {
  VARIANT result;
  VariantInit(&result);
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

TEST(ShortcutKeyWindow, ShowsTheListBandedByMainMenuAndExportsItThroughTheSaveDialog) {
  SetProduct(L"TESKINVOICE");
  HostWindow host;
  const std::wstring file = ExportFolder() + L"\\banded";  // no extension is added
  DeleteFileW(file.c_str());
  When(kCaption, [&](HWND form) {
    EXPECT_FALSE(IsWindowEnabled(host.get()));
    const HWND grid = GridOf(form);
    ASSERT_NE(grid, nullptr);
    for (const Child& child : Children(form)) {
      if (child.window == grid) ExpectAt(child, 150, 150, 8685, 4845);
    }
    EXPECT_EQ(GridRows(form), (Rows{L"File|Open|Ctrl+O", L"File|Save|Ctrl+S",
                                    L"Правка|Копировать 複製|Ctrl+C yellow", L"||",
                                    L" File|\U0001F600|F1 yellow"}));
    ExpectBoldCentredHeader(grid, 2, L"Shortcut Keys");
    wchar_t before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    SaveDialogDriver dialog(file, false);
    Click(ChildWithText(form, L"&Export").window);
    dialog.Wait();
    EXPECT_EQ(dialog.seen().owner, form) << "modal to the window";
    EXPECT_EQ(dialog.seen().fileName, L"");
    EXPECT_EQ(dialog.seen().fileTypes, Rows{L"Excel"});
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(after, before) << "the host's current directory is kept";
    Click(ChildWithText(form, L"E&xit").window);
  });
  EXPECT_EQ(ShowList(L"File|Open|Ctrl+O^File|Save|Ctrl+S^Правка|Копировать 複製|Ctrl+C^bad^"
                     L" File|\U0001F600|F1"), S_OK);
  EXPECT_TRUE(IsWindowEnabled(host.get()));
  EXPECT_EQ(FileBytes(file).substr(0, 4), kCompoundDocument);
  std::ofstream((file + L".expected").c_str(), std::ios::binary)
      << "Main Menu\tMenu Item\tShortcut Keys\tbold\n"
      << "File\tOpen\tCtrl+O\tFFFFFF\nFile\tSave\tCtrl+S\tFFFFFF\n"
      << Utf8(L"Правка\tКопировать 複製\tCtrl+C\tFFFFC0\n") << "\t\t\tFFFFFF\n"
      << Utf8(L" File\t\U0001F600\tF1\tFFFFC0\n");
}

// An existing file is replaced after the dialog's question, through a file written beside it.
// That a cancelled dialog writes nothing is the native test's.
TEST(ShortcutKeyWindow, AnExistingFileIsReplacedAfterTheQuestionLeavingNothingBeside) {
  const std::wstring folder = ExportFolder() + L"\\cases";
  const std::wstring replaced = folder + L"\\replaced.xls";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream(replaced.c_str(), std::ios::binary) << "old";
  When(kCaption, [&](HWND form) {
    SaveDialogDriver dialog(replaced, true);
    Click(ChildWithText(form, L"&Export").window);
    dialog.Wait();
    EXPECT_EQ(GridRows(form), Rows{L"A|b|c"}) << "the grid as it was";
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ShowList(L"A|b|c"), S_OK);
  EXPECT_EQ(FileBytes(replaced).substr(0, 4), kCompoundDocument);
  EXPECT_EQ(FilesIn(folder), Rows{L"replaced.xls"});
  DeleteFileW(replaced.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(ShortcutKeyWindow, ListsAndArraysThatCannotBeATableFailWithoutAWindow) {
  When(kCaption, [](HWND form) {
    ADD_FAILURE() << "the window was shown";
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  const std::wstring records32768(32767, L'^');
  EXPECT_EQ(ShowList(records32768), static_cast<HRESULT>(0x800A0006));
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
// host may pass an array of variants, each converted to text.
TEST(ShortcutKeyWindow, TakesArraysWithAnyBoundsAndVariantArraysThroughIDispatch) {
  ExpectRows({L"A|x|1", L"B|y|2 yellow"}, [] {
    return ShowArray(TextTable({{L"A", L"x", L"1", L"hidden"}, {L"B", L"y", L"2", L""}}, 5, 1));
  });

  SAFEARRAYBOUND bounds[2] = {{1, 0}, {3, 0}};
  SAFEARRAY* variants = SafeArrayCreate(VT_VARIANT, 2, bounds);
  Bstr menu(L"Menu");
  VARIANT cells[3] = {Text(menu.get())};
  V_VT(&cells[1]) = VT_I4;
  V_I4(&cells[1]) = 42;
  V_VT(&cells[2]) = VT_BOOL;
  V_BOOL(&cells[2]) = VARIANT_TRUE;
  for (LONG column = 0; column < 3; ++column) {
    LONG at[2] = {0, column};
    SafeArrayPutElement(variants, at, &cells[column]);  // puts a copy
  }
  ExpectRows({L"Menu|42|True"}, [&variants] {
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(Info().As(&dispatch), S_OK);
    VARIANT argument, result;
    VariantInit(&result);
    V_VT(&argument) = VT_ARRAY | VT_VARIANT | VT_BYREF;
    V_ARRAYREF(&argument) = &variants;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    return dispatch->Invoke(0x60030004, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr,
                            nullptr);
  });
  SafeArrayDestroy(variants);
}

// VBScript passes its own array of variants, by reference, from a process of its own.
TEST(ShortcutKeyWindow, WorksFromVBScript) {
  const std::wstring script = TempFile(L"tesk-shortcuts.vbs");
  std::ofstream(script.c_str())
      << "Dim keys(2, 2)\r\n"
         "keys(0, 0) = \"File\" : keys(0, 1) = \"Open\" : keys(0, 2) = \"Ctrl+O\"\r\n"
         "keys(1, 0) = \"File\" : keys(1, 1) = 2 : keys(1, 2) = True\r\n"
         "keys(2, 0) = \"Edit\" : keys(2, 1) = \"Copy\" : keys(2, 2) = \"Ctrl+C\"\r\n"
         "Set info = CreateObject(\"TeskLumoraLib.ClsInfo\")\r\n"
         "On Error Resume Next\r\n"
         "info.ShowShortcutKey keys\r\n"
         "WScript.Quit Err.Number\r\n";
  std::wstring command = L"cscript.exe //nologo \"" + script + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  // The window exists, hidden, while it is being filled; it shows once its rows are there.
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&form] {
    form = FindWindowW(nullptr, kCaption);
    return form && IsWindowVisible(form);
  }, 20000)) << "the script's window";
  EXPECT_EQ(SendMessageW(GridOf(form), LVM_GETITEMCOUNT, 0, 0), 3);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileW(script.c_str());
}

}  // namespace
}  // namespace tesk::wine_test
