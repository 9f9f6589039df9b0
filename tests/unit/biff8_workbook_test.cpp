#include "workbook/biff8_workbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

namespace tesk::workbook {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLightYellow = 0xC0FFFF;  // 0x00BBGGRR, not a default palette colour

// A cell's text as written, and as it should read back.
struct Cell {
  Cell(const std::string& text) : written(text), read(text) {}
  Cell(std::string writtenText, std::string readText)
      : written(std::move(writtenText)), read(std::move(readText)) {}
  std::string written;
  std::string read;
};

struct Row {
  RowLook look;
  std::vector<Cell> cells;
};

class TableSheet : public SheetContents {
 public:
  TableSheet(std::vector<Row> rows, std::vector<double> widths)
      : rows_(std::move(rows)), widths_(std::move(widths)) {}
  std::size_t RowCount() const override { return rows_.size(); }
  std::size_t ColumnCount() const override { return widths_.size(); }
  const std::string& Text(std::size_t row, std::size_t column) const override {
    return rows_[row].cells[column].written;
  }
  RowLook Look(std::size_t row) const override { return rows_[row].look; }
  double ColumnWidth(std::size_t column) const override { return widths_[column]; }

 private:
  std::vector<Row> rows_;
  std::vector<double> widths_;
};

// The lines scripts/read_xls.py prints for the Workbook stream, read with python3-xlrd.
std::vector<std::string> ReadBack(const std::vector<std::uint8_t>& stream) {
  // Named by the process, so that two runs of the tests at once do not share the file.
  const std::string path =
      ::testing::TempDir() + "biff8_workbook_test." + std::to_string(getpid()) + ".xls";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(stream.data()),
             static_cast<std::streamsize>(stream.size()));
  const std::string command =
      std::string("'") + TESK_PYTHON3 + "' '" + TESK_READ_XLS + "' '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {"cannot run " + command};
  std::string output;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  const int status = pclose(pipe);
  std::remove(path.c_str());
  EXPECT_EQ(status, 0) << command << " (python3-xlrd must be installed):\n" << output;
  std::vector<std::string> lines;
  std::istringstream text(output);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::string FillRgb(const RowLook& look) {
  if (!look.fill) return "-";
  char rgb[7];
  std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", *look.fill & 0xFF, *look.fill >> 8 & 0xFF,
                *look.fill >> 16 & 0xFF);
  return rgb;
}

// Long texts, their cut and their split over CONTINUE records are biff8_workbook_fuzz's to show.
std::vector<Row> ShortcutLikeRows() {
  const RowLook header{true, true, std::nullopt};
  const RowLook white{false, false, kWhite};
  const RowLook yellow{false, false, kLightYellow};
  const std::string smiley = "\xF0\x9F\x98\x80";  // U+1F600, a surrogate pair in UTF-16
  return {
      {header, {{"Main Menu"}, {"Menu Item"}, {"Shortcut Keys"}}},
      {white, {{"Файл"}, {"Открыть…"}, {"Ctrl+O"}}},
      {yellow, {{"ファイル"}, {"開く"}, {"Ctrl+O"}}},
      {white, {{"Emoji " + smiley}, {""}, {"Ctrl+Shift+F5"}}},
      // Invalid UTF-8: a byte that never starts a character, a surrogate, a sequence cut short.
      {white, {{"ab\xFF\xED\xA0\x80\xC3", "ab\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}, {""}, {""}}},
      {RowLook{}, {{"Файл"}, {""}, {""}}},
  };
}

TEST(Biff8Workbook, ReadsBackWithItsTextLooksAndWidths) {
  const std::vector<Row> rows = ShortcutLikeRows();
  const TableSheet sheet(rows, {12.5, 300, 20});
  const std::vector<std::string> read = ReadBack(WriteBiff8Workbook(sheet, "Сочетания клавиш"));

  std::set<std::string> distinct;
  std::vector<std::string> expected = {"sheet Сочетания клавиш", "", "width 0 3200",
                                       "width 1 65280", "width 2 5120"};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].cells.size(); ++c) {
      const std::string& text = rows[r].cells[c].read;
      if (!text.empty()) distinct.insert(text);
      const RowLook& look = rows[r].look;
      expected.push_back("cell " + std::to_string(r) + " " + std::to_string(c) + " " +
                         (look.bold ? "1 " : "0 ") + (look.centred ? "1 " : "0 ") + FillRgb(look) +
                         " " + text);
    }
  }
  expected[1] = "strings " + std::to_string(distinct.size());

  ASSERT_EQ(read.size(), expected.size()) << (read.empty() ? "" : read.front());
  for (std::size_t i = 0; i < read.size(); ++i) {
    if (read[i] != expected[i]) {
      FAIL() << "line " << i << " reads\n  " << read[i].substr(0, 120) << "\ninstead of\n  "
             << expected[i].substr(0, 120);
    }
  }
}

// An Excel 97 sheet has 65,536 rows of 256 columns.
TEST(Biff8Workbook, RefusesSheetsBeyondExcelsLimits) {
  const auto empty = [](std::size_t rows, std::size_t columns) {
    return TableSheet(std::vector<Row>(rows, Row{{}, std::vector<Cell>(columns, Cell(""))}),
                      std::vector<double>(columns, 8));
  };
  EXPECT_NO_THROW(WriteBiff8Workbook(empty(1, 256), "Sheet"));
  EXPECT_THROW(WriteBiff8Workbook(empty(65537, 1), "Sheet"), SheetTooLarge);
}

}  // namespace
}  // namespace tesk::workbook
