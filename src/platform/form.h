#pragma once
// Forms: top-level windows built from a control table. A window of the library is a table
// (what is where, in twips) plus handlers written against Form; the platform turns the table
// into a real window, runs the handlers on its events and shows it modally.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// <windows.h> defines LoadIcon as a macro (LoadIconA/LoadIconW); it would rename Form::LoadIcon
// in the files that include both, and the class would differ from one file to the next.
#ifdef LoadIcon
#undef LoadIcon
#endif

namespace tesk::platform {

// 0x00BBGGRR, or a system colour reference (high bit set, colour index in the low byte).
using OleColor = std::uint32_t;

struct FormFont {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool underline = false;
};

// Pictures the library carries as resources, drawn by its build scripts.
enum class DesignPicture { None, AboutPicture, SupportBanner, WhatsNewPicture, HandIcon };

enum class ControlKind {
  Label,       // a STATIC window: text with word wrap, its own colours
  TextBox,     // read-only, multi-line, vertical scroll bar
  Image,       // a picture painted by the form
  Line,        // painted by the form, one pixel wide, in its fore colour
  PictureBox,  // a plain rectangle in its back colour that holds other controls
  Button,      // a cmd button
  Grid,        // rows of text under a header row, read-only, selected a whole row at a time
  Browser,     // the system's web browser, showing one page
};

// The cmd settings a window gives each of its buttons; every other property has its default.
struct ButtonLook {
  std::int32_t buttonType = 0;
  std::int32_t colorScheme = 0;
  OleColor backColor = 0;
  OleColor backOver = 0;
  OleColor foreColor = 0;
  OleColor foreOver = 0;
  OleColor maskColor = 0;
  bool useMaskColor = false;
  bool showFocusRect = false;
};

constexpr OleColor kFormBackground = 0x80000000u | 15;  // unset: the form's own colour
constexpr std::int16_t kCustomPointer = 99;

struct ControlRow {
  ControlKind kind = ControlKind::Label;
  std::string name;
  // Twips relative to the client area (or to the container); a line runs from (left, top)
  // to (left + width, top + height).
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::string text;  // a label's or text box's text, a button's caption
  FormFont font;
  OleColor foreColor = 0;
  OleColor backColor = kFormBackground;
  DesignPicture picture = DesignPicture::None;
  bool stretch = false;   // an image: the picture fills the control
  bool visible = true;
  bool notifies = false;  // a label that reports clicks and mouse movement (a link)
  bool autoSize = false;  // a label that widens to show its text on one line
  std::int16_t mousePointer = 0;  // kCustomPointer: the pointer is the control's mouse icon
  std::string container;  // the picture box the control sits in, else the form
  ButtonLook button;
};

struct FormTable {
  std::string name;     // FrmAboutUs, ...
  std::string caption;  // the design caption
  std::int32_t width = 0, height = 0;  // the client area, twips
  OleColor backColor = 0xFFFFFF;
  FormFont font;
  bool sizable = false;  // a sizing border and the minimise and maximise boxes
  std::vector<ControlRow> controls;
};

// What a grid shows. The form reads it while the grid is on screen: it must stay unchanged
// until the form has unloaded or the grid is filled again.
class GridContents {
 public:
  virtual ~GridContents() = default;
  virtual std::size_t ColumnCount() const = 0;
  virtual std::size_t RowCount() const = 0;  // below the header row
  virtual const std::string& Header(std::size_t column) const = 0;
  virtual const std::string& Cell(std::size_t row, std::size_t column) const = 0;
  // The row's back colour; none keeps the grid's own.
  virtual std::optional<OleColor> RowBackColor(std::size_t row) const = 0;
};

// A live form, as its handlers change it. Controls are named as in the table; a name that is
// not in the table is ignored.
class Form {
 public:
  virtual ~Form() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The window's icon from an icon file; a file that cannot be read as one leaves the icon.
  virtual void LoadIcon(const std::string& path) = 0;
  // An image's picture from a picture file (bitmap, JPEG, GIF, icon, metafile); a file that
  // cannot be read as one leaves the picture.
  virtual void LoadPicture(const std::string& control, const std::string& path) = 0;
  virtual void SetText(const std::string& control, const std::string& text) = 0;
  virtual void SetForeColor(const std::string& control, OleColor colour) = 0;
  virtual void SetBackColor(const std::string& control, OleColor colour) = 0;
  // The control's mouse icon becomes the picture of the image `source`.
  virtual void SetMouseIcon(const std::string& control, const std::string& source) = 0;
  // Shows `contents` in a grid, replacing everything it showed, and fits each column's width
  // to its widest text.
  virtual void FillGrid(const std::string& control, const GridContents& contents) = 0;
  // A browser shows the page at `address`.
  virtual void Navigate(const std::string& control, const std::string& address) = 0;
  // The client area's size, twips.
  virtual std::int32_t ScaleWidth() = 0;
  virtual std::int32_t ScaleHeight() = 0;
  // Places the control anew, twips relative to the client area.
  virtual void MoveControl(const std::string& control, std::int32_t left, std::int32_t top,
                           std::int32_t width, std::int32_t height) = 0;
  // Closes and unloads the form once the event being handled has ended.
  virtual void Unload() = 0;
};

// What a window does: its load steps and its event handlers. "" names the form itself.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void Load(Form& form) = 0;
  virtual void Click(Form& /*form*/, const std::string& /*control*/) {}
  virtual void MouseMove(Form& /*form*/, const std::string& /*control*/) {}
  // The client area changed size (also when minimised or maximised).
  virtual void Resize(Form& /*form*/) {}
};

class Forms {
 public:
  virtual ~Forms() = default;
  // Builds the window from `table`, runs `events.Load`, and shows it modally without an owner:
  // the thread's other enabled top-level windows are disabled until it closes. Returns when
  // the window has been closed (by Unload, its close box, Alt+F4 or Esc) and unloaded.
  virtual void ShowModal(const FormTable& table, FormEvents& events) = 0;
};

}  // namespace tesk::platform
