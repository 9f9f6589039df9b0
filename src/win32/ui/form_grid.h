#pragma once
// A form's grid: the system's list view in report mode and virtual (owner-data) mode, so that
// tens of thousands of rows cost nothing until they are on screen. The contents stay with
// their owner; the list view asks for the cells it draws.

#include <windows.h>
#include <commctrl.h>

#include "platform/form.h"
#include "win32/ui/form_gdi_cache.h"

namespace tesk::win32 {

class FormGrid {
 public:
  // Creates the list view as child `id` of `form` over `bounds`, in the row's font with a bold
  // header. Throws std::runtime_error when the system refuses it.
  FormGrid(HWND form, int id, const RECT& bounds, const platform::ControlRow& row,
           FormGdiCache& gdi);
  FormGrid(const FormGrid&) = delete;
  FormGrid& operator=(const FormGrid&) = delete;

  HWND Window() const { return window_; }
  // Columns, header, rows and column widths all from `contents`, which must outlive the grid
  // or the next Fill.
  void Fill(const platform::GridContents& contents);
  // The list view's notices to the form: cell texts and row colours.
  LRESULT Notify(const NMHDR& notice);
  // Takes the colours of the moment: the row's, or a high-contrast theme's.
  void FollowSystemColours();
  // Takes the fonts the cache now makes, at the form's new DPI, and fits the columns to them.
  void ChangeDpi(FormGdiCache& gdi);

 private:
  void TakeFonts(FormGdiCache& gdi);
  void SetColumns(std::size_t count);
  void SetHeaderText(int column, const std::string& text);
  void FitColumns();
  void CellText(NMLVDISPINFOW& request) const;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

  HWND window_;  // owned by the form's window
  platform::OleColor foreColor_;
  platform::OleColor backColor_;
  platform::FormFont rowFont_;
  HFONT font_;
  HFONT headerFont_;
  const platform::GridContents* contents_ = nullptr;
  int columns_ = 0;
};

}  // namespace tesk::win32
