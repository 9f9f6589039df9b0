#include "win32/ui/form_painting.h"

#include "win32/ui/gdi_objects.h"

namespace tesk::win32 {
namespace {

using platform::ControlKind;

void PaintPictureBox(HDC dc, const FormControl& control, COLORREF back) {
  UniqueGdiObject brush(CreateSolidBrush(back));
  if (brush) FillRect(dc, &control.bounds, static_cast<HBRUSH>(brush.get()));
}

void PaintLine(HDC dc, const FormControl& control, COLORREF fore) {
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, fore));
  if (!pen) return;
  ScopedSelection selected(dc, pen.get());
  MoveToEx(dc, control.bounds.left, control.bounds.top, nullptr);
  LineTo(dc, control.bounds.right, control.bounds.bottom);
}

// A stretched picture fills the control; any other keeps its own size at the control's top
// left corner, grown with the layout, and is cut at the control's edges.
void PaintImage(HDC dc, const FormControl& control, int dpi) {
  IPicture* picture = control.picture.Get();
  if (!picture || !control.row.visible) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return;
  const RECT& r = control.bounds;
  SIZE drawn{r.right - r.left, r.bottom - r.top};
  if (!control.row.stretch) drawn = PictureExtent(picture, dpi);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  // A picture drawn larger than its pixels is smoothed rather than blown up pixel by pixel.
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  // Himetric runs upwards: the source starts at the bottom edge with a negative height.
  picture->Render(dc, r.left, r.top, drawn.cx, drawn.cy, 0, height, width, -height, nullptr);
  RestoreDC(dc, saved);
}

}  // namespace

void PaintFormControls(
    HDC dc, const std::vector<std::unique_ptr<FormControl>>& controls,
    const std::function<COLORREF(platform::OleColor, ColourRole)>& colour, int dpi) {
  for (const auto& control : controls) {
    if (control->row.kind == ControlKind::PictureBox && control->row.visible) {
      PaintPictureBox(dc, *control, colour(control->row.backColor, ColourRole::Surface));
    }
  }
  for (const auto& control : controls) {
    if (control->row.kind == ControlKind::Image) PaintImage(dc, *control, dpi);
    if (control->row.kind == ControlKind::Line && control->row.visible) {
      PaintLine(dc, *control, colour(control->row.foreColor, ColourRole::Text));
    }
  }
}

}  // namespace tesk::win32
