// Fuzz target for the workbook writer: a table made from the input is written, read back with
// biff8_reader, and must come back whole. Every cell reads, in row and column order, as its text
// in UTF-16 as glibc's iconv decodes it, cut at 32,767 units with no surrogate left alone (text
// that is not UTF-8 as well-formed UTF-16 within that limit), an empty one as no cell in a plain
// row and a blank cell in any other; the distinct
// texts are the shared strings, once each, in order of first use; each look has one cell format
// of its own, the plain look the plain format.
//
// The input: the number of columns (first byte, 0 to 8), then fields split at 0xFF, a byte that
// UTF-8 never holds. A row is a look field (first byte: bold 1, centred 2, filled 4, the fill's
// complement in the next three bytes, so that white needs no 0xFF) and a field per cell. A cell
// field that starts 0xFE n holds the rest of it 1 + n * n times, so long texts and CONTINUE
// records are in reach of short inputs.

#include <iconv.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "fuzz/biff8_reader.h"
#include "fuzz/require.h"
#include "workbook/biff8_workbook.h"
#include "workbook/cell_formats.h"
#include "workbook/utf16_text.h"  // kMaxCellCharacters, IsHighSurrogate

namespace {

using tesk::fuzz::Require;
using tesk::workbook::RowLook;

constexpr std::size_t kMaxRepeatedBytes = 140000;  // past the cut at 32,767 units either way

struct Row {
  RowLook look;
  std::vector<std::string> cells;
};

class FuzzSheet final : public tesk::workbook::SheetContents {
 public:
  FuzzSheet(std::vector<Row> rows, std::size_t columns)
      : rows_(std::move(rows)), columns_(columns) {}
  std::size_t RowCount() const override { return rows_.size(); }
  std::size_t ColumnCount() const override { return columns_; }
  const std::string& Text(std::size_t row, std::size_t column) const override {
    return rows_[row].cells[column];
  }
  RowLook Look(std::size_t row) const override { return rows_[row].look; }
  double ColumnWidth(std::size_t column) const override { return 4.0 * column; }

 private:
  std::vector<Row> rows_;
  std::size_t columns_;
};

RowLook LookOf(std::string_view field) {
  const auto byte = [field](std::size_t at) {
    return at < field.size() ? static_cast<std::uint8_t>(field[at]) : std::uint32_t{0};
  };
  RowLook look{(byte(0) & 1) != 0, (byte(0) & 2) != 0, std::nullopt};
  if (byte(0) & 4) look.fill = ~(byte(1) | byte(2) << 8 | byte(3) << 16) & 0xFFFFFF;
  return look;
}

std::string CellOf(std::string_view field) {
  if (field.size() < 2 || field[0] != '\xFE') return std::string(field);
  const std::size_t times = 1 + static_cast<std::size_t>(static_cast<std::uint8_t>(field[1])) *
                                    static_cast<std::uint8_t>(field[1]);
  const std::string_view piece = field.substr(2);
  std::string text;
  for (std::size_t i = 0; i < times && text.size() < kMaxRepeatedBytes; ++i) text += piece;
  return text;
}

std::vector<Row> RowsOf(std::string_view fields, std::size_t columns) {
  std::vector<Row> rows;
  std::size_t inRow = 0;
  for (std::size_t at = 0; at <= fields.size(); ++inRow) {
    const std::size_t end = std::min(fields.find('\xFF', at), fields.size());
    const std::string_view field = fields.substr(at, end - at);
    if (inRow == columns + 1) inRow = 0;
    if (inRow == 0) {
      rows.push_back({LookOf(field), {}});
    } else {
      rows.back().cells.push_back(CellOf(field));
    }
    at = end + 1;
  }
  for (Row& row : rows) row.cells.resize(columns);
  return rows;
}

// Every surrogate in a pair, high then low, as Excel needs them.
bool IsWellFormed(std::u16string_view text) {
  const auto isLow = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isLow(text[i])) return false;
    if (tesk::workbook::IsHighSurrogate(text[i]) && (++i == text.size() || !isLow(text[i]))) {
      return false;
    }
  }
  return true;
}

// The text in UTF-16 by a decoder of its own, glibc's iconv; none when it is not UTF-8.
std::optional<std::u16string> Utf16ByIconv(const std::string& text) {
  static const iconv_t toUtf16 = iconv_open("UTF-16LE", "UTF-8");
  iconv(toUtf16, nullptr, nullptr, nullptr, nullptr);
  std::u16string out(text.size(), u'\0');  // never more units than bytes
  char* in = const_cast<char*>(text.data());
  char* at = reinterpret_cast<char*>(out.data());
  std::size_t inLeft = text.size(), outLeft = out.size() * sizeof(char16_t);
  if (iconv(toUtf16, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  out.resize(out.size() - outLeft / sizeof(char16_t));
  return out;
}

// Cut to what a cell holds, without the high half of a pair the cut would part.
std::u16string CutToCell(std::u16string text) {
  if (text.size() <= tesk::workbook::kMaxCellCharacters) return text;
  text.resize(tesk::workbook::kMaxCellCharacters);
  if (tesk::workbook::IsHighSurrogate(text.back())) text.pop_back();
  return text;
}

bool IsPlain(const RowLook& look) { return !look.bold && !look.centred && !look.fill; }

// One cell format a look, each its own; the plain look has the plain format.
class LookFormats {
 public:
  bool Fits(const RowLook& look, std::uint16_t xf) {
    constexpr std::uint16_t kPlainXf = tesk::workbook::CellFormats::kPlainXf;
    if (IsPlain(look)) return xf == kPlainXf;
    const Key key{look.bold, look.centred, look.fill};
    const auto known = xfOfLook_.emplace(key, xf).first;
    const auto owner = lookOfXf_.emplace(xf, key).first;
    return known->second == xf && owner->second == key && xf != kPlainXf;
  }

 private:
  using Key = std::tuple<bool, bool, std::optional<std::uint32_t>>;
  std::map<Key, std::uint16_t> xfOfLook_;
  std::map<std::uint16_t, Key> lookOfXf_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t columns = data[0] % 9;
  const std::vector<Row> rows =
      RowsOf(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), columns);
  const auto book = tesk::fuzz::ReadBiff8Workbook(
      tesk::workbook::WriteBiff8Workbook(FuzzSheet(rows, columns), "Sheet"));

  LookFormats formats;
  auto cell = book.cells.begin();
  std::uint32_t used = 0;  // shared strings named so far; the next new text must be the next one
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string& text = rows[r].cells[c];
      if (cell == book.cells.end() || cell->row != r || cell->column != c) {
        Require(text.empty() && IsPlain(rows[r].look));
        continue;
      }
      Require(formats.Fits(rows[r].look, cell->xf));
      if (!cell->string) {
        Require(text.empty() && !IsPlain(rows[r].look));
      } else {
        Require(*cell->string <= used && !text.empty());
        const std::u16string& read = book.strings[*cell->string];
        const auto decoded = Utf16ByIconv(text);
        Require(decoded ? read == CutToCell(*decoded)
                        : read.size() <= tesk::workbook::kMaxCellCharacters && IsWellFormed(read));
        if (*cell->string == used) ++used;
      }
      ++cell;
    }
  }
  Require(cell == book.cells.end() && used == book.strings.size());
  Require(book.references ==
          std::count_if(book.cells.begin(), book.cells.end(),
                        [](const auto& read) { return read.string.has_value(); }));
  std::vector<std::u16string> strings = book.strings;
  std::sort(strings.begin(), strings.end());
  Require(std::adjacent_find(strings.begin(), strings.end()) == strings.end());
  return 0;
}
