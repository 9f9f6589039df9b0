#include "win32/ui/form_grid.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "win32/automation/server_lifetime.h"
#include "win32/system/system_library.h"
#include "win32/system/text_encoding.h"
#include "win32/ui/text_widths.h"
#include "win32/ui/form_colours.h"

namespace tesk::win32 {
namespace {

// Room either side of a cell's text, as the list view leaves it; the header's sort-arrow
// room on top of that.
constexpr int kCellMargin = 12;
constexpr int kHeaderMargin = 16;

// Without common controls there is no grid, and the window that needs one fails to show.
void RegisterListViewOnce() {
  static const BOOL registered = [] {
    const auto initCommonControls = RequiredSystemFunction<decltype(&InitCommonControlsEx)>(
        L"comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    return initCommonControls(&controls);
  }();
  (void)registered;
}

// The widest of `texts` in `font`, measured on the grid's own device context.
class FontMeasure {
 public:
  FontMeasure(HWND window, HFONT font)
      : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, font)), widths_(dc_) {}
  ~FontMeasure() {
    SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  FontMeasure(const FontMeasure&) = delete;
  FontMeasure& operator=(const FontMeasure&) = delete;

  int Width(const std::string& text) const { return widths_.Width(text); }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_;
  TextWidths widths_;
};

}  // namespace

FormGrid::FormGrid(HWND form, int id, const RECT& bounds, const platform::ControlRow& row,
                   FormGdiCache& gdi)
    : foreColor_(row.foreColor), backColor_(row.backColor), rowFont_(row.font) {
  RegisterListViewOnce();
  const DWORD style = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                      LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ResourceModule(),
                            nullptr);
  if (!window_) throw std::runtime_error("a form's grid cannot be created");
  ListView_SetExtendedListViewStyle(window_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                                 LVS_EX_DOUBLEBUFFER);
  FollowSystemColours();
  TakeFonts(gdi);
  if (row.visible) ShowWindow(window_, SW_SHOWNA);
}

void FormGrid::TakeFonts(FormGdiCache& gdi) {
  platform::FormFont bold = rowFont_;
  bold.bold = true;
  font_ = gdi.Font(rowFont_);
  headerFont_ = gdi.Font(bold);
  if (font_) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (headerFont_) {
    SendMessageW(ListView_GetHeader(window_), WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_),
                 FALSE);
  }
}

void FormGrid::ChangeDpi(FormGdiCache& gdi) {
  TakeFonts(gdi);
  if (contents_) FitColumns();
}

void FormGrid::FollowSystemColours() {
  const COLORREF back = FormColour(backColor_, ColourRole::Surface);
  ListView_SetBkColor(window_, back);
  ListView_SetTextBkColor(window_, back);
  // Set, not left to the list view: its default is the colour of when it was made.
  ListView_SetTextColor(window_, FormColour(foreColor_, ColourRole::Text));
}

void FormGrid::Fill(const platform::GridContents& contents) {
  contents_ = &contents;
  SetColumns(contents.ColumnCount());
  for (int column = 0; column < columns_; ++column) {
    SetHeaderText(column, contents.Header(static_cast<std::size_t>(column)));
  }
  ListView_SetItemCountEx(window_, static_cast<int>(contents.RowCount()), 0);
  FitColumns();
  InvalidateRect(window_, nullptr, TRUE);
}

void FormGrid::SetColumns(std::size_t count) {
  while (columns_ > 0) ListView_DeleteColumn(window_, --columns_);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  for (; columns_ < static_cast<int>(count); ++columns_) {
    if (SendMessageW(window_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_),
                     reinterpret_cast<LPARAM>(&column)) < 0) {
      throw std::runtime_error("a grid's column cannot be added");
    }
  }
}

// The header row is centred while the cells below stay left-aligned: only the header item,
// not the list view's column, carries the alignment.
void FormGrid::SetHeaderText(int column, const std::string& text) {
  std::wstring wide = WideFromUtf8(text);
  HDITEMW item{};
  item.mask = HDI_FORMAT | HDI_TEXT;
  item.fmt = HDF_CENTER | HDF_STRING;
  item.pszText = wide.data();
  SendMessageW(ListView_GetHeader(window_), HDM_SETITEMW, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&item));
}

// One pass over the rows: each cell is measured once, from a table of character widths.
void FormGrid::FitColumns() {
  std::vector<int> widths(static_cast<std::size_t>(columns_), 0);
  {
    const FontMeasure header(window_, headerFont_ ? headerFont_ : font_);
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] = header.Width(contents_->Header(column)) + kHeaderMargin;
    }
  }
  const FontMeasure cells(window_, font_);
  const std::size_t rows = contents_->RowCount();
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] =
          std::max(widths[column], cells.Width(contents_->Cell(row, column)) + kCellMargin);
    }
  }
  for (std::size_t column = 0; column < widths.size(); ++column) {
    ListView_SetColumnWidth(window_, static_cast<int>(column), widths[column]);
  }
}

LRESULT FormGrid::Notify(const NMHDR& notice) {
  if (!contents_) return 0;
  switch (notice.code) {
    case LVN_GETDISPINFOW:
      CellText(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&notice)));
      return 0;
    case NM_CUSTOMDRAW:
      return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&notice)));
    default:
      return 0;
  }
}

void FormGrid::CellText(NMLVDISPINFOW& request) const {
  LVITEMW& item = request.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const auto row = static_cast<std::size_t>(item.iItem);
  const auto column = static_cast<std::size_t>(item.iSubItem);
  if (item.iItem < 0 || row >= contents_->RowCount() || column >= contents_->ColumnCount()) {
    item.pszText[0] = L'\0';
    return;
  }
  const std::wstring text = WideFromUtf8(contents_->Cell(row, column));
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.begin(), length, item.pszText);
  item.pszText[length] = L'\0';
}

// Each row on its own band colour (the window colour in a high-contrast theme): the list view
// asks before drawing every row.
LRESULT FormGrid::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
  if (row < contents_->RowCount()) {
    if (const auto colour = contents_->RowBackColor(row)) {
      draw.clrTextBk = FormColour(*colour, ColourRole::Surface);
    }
  }
  return CDRF_DODEFAULT;
}

}  // namespace tesk::win32
