#pragma once
// Reads back the Workbook streams that WriteBiff8Workbook makes, for the fuzz target: the records
// in order, the shared strings across their CONTINUE records together with the index Excel looks
// into (EXTSST), and the sheet's text and blank cells, each naming a cell format (XF) there is.
// Whatever breaks the format's rules, or is something the writer never makes, throws
// Biff8ReadError.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tesk::fuzz {

struct ReadCell {
  std::uint16_t row;
  std::uint16_t column;
  std::uint16_t xf;
  std::optional<std::uint32_t> string;  // the shared string of a text cell; none when blank
};

struct ReadWorkbook {
  std::vector<std::u16string> strings;  // the shared strings in order
  std::uint32_t references = 0;         // how many cells use a shared string, as the SST says
  std::vector<ReadCell> cells;          // in the sheet's order
};

class Biff8ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

ReadWorkbook ReadBiff8Workbook(const std::vector<std::uint8_t>& stream);

}  // namespace tesk::fuzz
