#include "workbook/cell_formats.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "workbook/fill_palette.h"
#include "workbook/utf16_text.h"

namespace tesk::workbook {
namespace {

constexpr std::uint16_t kBoldFont = 1;
constexpr std::uint16_t kStyleXfs = 15;
constexpr std::size_t kMaxFontName = 31;
constexpr std::uint16_t kAutomaticPattern = 0x40;
constexpr std::uint16_t kWindowBackground = 0x41;

bool SameLook(const RowLook& a, const RowLook& b) {
  return a.bold == b.bold && a.centred == b.centred && a.fill == b.fill;
}

bool IsPlain(const RowLook& look) { return !look.bold && !look.centred && !look.fill; }

void WriteFont(RecordWriter& out, std::uint16_t twips, std::u16string_view name, bool bold) {
  out.Begin(kFont);
  out.U16(twips);
  out.U16(bold ? 1 : 0);  // bold again, for older readers; not italic or struck out
  out.U16(0x7FFF);        // the automatic text colour
  out.U16(bold ? 700 : 400);
  out.U16(0);  // neither superscript nor subscript
  out.U8(0);   // not underlined
  out.U8(0);   // no font family
  out.U8(0);   // ANSI character set
  out.U8(0);
  out.ShortText(name);
  out.End();
}

// Excel reads font index 4 as absent, so the sheet's fonts fill 0 to 3: regular, bold, and the
// regular one twice more.
void WriteFonts(RecordWriter& out, const SheetFont& font) {
  std::u16string name;
  ToUtf16(font.name, kMaxFontName, name);
  if (name.empty()) ToUtf16(SheetFont{}.name, kMaxFontName, name);
  const double points = std::clamp(font.points, 1.0, 409.0);
  const auto twips = static_cast<std::uint16_t>(std::lround(points * 20));
  for (const bool bold : {false, true, false, false}) WriteFont(out, twips, name, bold);
}

constexpr std::uint16_t kCellKind = 0x0001;    // locked, a cell format, child of the Normal style
constexpr std::uint16_t kStyleKind = 0xFFF5;   // locked, a style, no parent
constexpr std::uint8_t kBottomAligned = 0x20;  // general horizontally, bottom vertically
constexpr std::uint8_t kCentredBothWays = 0x12;

// What an XF record sets; every XF has the General number format and no borders.
struct XfFields {
  std::uint16_t font = 0;
  std::uint16_t kind = kCellKind;
  std::uint8_t alignment = kBottomAligned;
  std::uint8_t ownAttributes = 0;  // which attributes differ from the parent style
  std::optional<std::uint16_t> solidColour;
};

void WriteXf(RecordWriter& out, const XfFields& xf) {
  out.Begin(kXf);
  out.U16(xf.font);
  out.U16(0);
  out.U16(xf.kind);
  out.U8(xf.alignment);
  out.U8(0);  // no rotation
  out.U8(0);  // no indent, no shrinking
  out.U8(xf.ownAttributes);
  out.U32(0);
  out.U32(xf.solidColour ? 1u << 26 : 0);
  out.U16(static_cast<std::uint16_t>(xf.solidColour.value_or(kAutomaticPattern) | kWindowBackground
                                                                                      << 7));
  out.End();
}

// The 15 standard style formats as Excel writes them: Normal with every attribute its own, the
// outline styles after it with the attribute flags 0xF4.
void WriteStyleXfs(RecordWriter& out) {
  WriteXf(out, {0, kStyleKind, kBottomAligned, 0x00, std::nullopt});
  for (std::uint16_t index = 1; index < kStyleXfs; ++index) {
    WriteXf(out, {0, kStyleKind, kBottomAligned, 0xF4, std::nullopt});
  }
}

void WriteCellXf(RecordWriter& out, const RowLook& look, const FillPalette& palette) {
  XfFields xf;
  if (look.bold) {
    xf.font = kBoldFont;
    xf.ownAttributes |= 0x08;
  }
  if (look.centred) {
    xf.alignment = kCentredBothWays;
    xf.ownAttributes |= 0x10;
  }
  if (look.fill) {
    xf.solidColour = palette.IndexOf(*look.fill);
    xf.ownAttributes |= 0x40;
  }
  WriteXf(out, xf);
}

void WriteNormalStyle(RecordWriter& out) {
  out.Begin(kStyle);
  out.U16(0x8000);  // built in, on XF 0
  out.U8(0);        // Normal
  out.U8(0xFF);     // no outline level
  out.End();
}

}  // namespace

std::uint16_t CellFormats::XfOf(const RowLook& look) {
  if (IsPlain(look)) return kPlainXf;
  auto found = std::find_if(looks_.begin(), looks_.end(),
                            [&look](const RowLook& known) { return SameLook(known, look); });
  if (found == looks_.end()) found = looks_.insert(looks_.end(), look);
  return static_cast<std::uint16_t>(kPlainXf + 1 + (found - looks_.begin()));
}

void CellFormats::Write(RecordWriter& out, const SheetFont& font) const {
  std::vector<std::uint32_t> fills;
  for (const RowLook& look : looks_) {
    if (look.fill && std::find(fills.begin(), fills.end(), *look.fill) == fills.end()) {
      fills.push_back(*look.fill);
    }
  }
  const FillPalette palette(fills);
  WriteFonts(out, font);
  WriteStyleXfs(out);
  WriteCellXf(out, RowLook{}, palette);
  for (const RowLook& look : looks_) WriteCellXf(out, look, palette);
  WriteNormalStyle(out);
  palette.Write(out);
}

std::size_t CellFormats::WrittenSizeBound() const {
  constexpr std::size_t kFonts = 4 * (20 + 2 * kMaxFontName);
  constexpr std::size_t kXfSize = 24;
  constexpr std::size_t kStyleAndPalette = 8 + 6 + 4 * 56;
  return kFonts + kXfSize * (kStyleXfs + 1 + looks_.size()) + kStyleAndPalette;
}

}  // namespace tesk::workbook
