#pragma once
// The workbook's shared string table: every distinct cell text once, in order of first use,
// written as the SST record (continued as needed) and the EXTSST index that Excel looks into.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "workbook/record_writer.h"

namespace tesk::workbook {

class SharedStrings {
 public:
  // The index of `text`, added the first time it is seen; `text` is not empty.
  std::uint32_t Intern(std::u16string_view text);

  // The SST and EXTSST records; `references` is how many cells use a string.
  void Write(RecordWriter& out, std::uint32_t references) const;

  // An upper bound of the bytes Write adds.
  std::size_t WrittenSizeBound() const;

 private:
  // A string as stored: one byte a character when every code unit is below 0x100, else UTF-16LE.
  struct Entry {
    std::size_t offset;  // into characters_
    std::uint16_t units;
    bool wide;
    std::uint32_t hash;
  };

  bool Matches(const Entry& entry, std::u16string_view text, bool wide) const;
  void Grow();
  void WriteCharacters(RecordWriter& out, const Entry& entry) const;
  std::size_t FirstCharacterBytes(const Entry& entry) const;
  std::uint16_t UnitAt(const Entry& entry, std::size_t index) const;

  std::vector<Entry> entries_;
  std::vector<std::uint8_t> characters_;  // each string's characters as the SST holds them
  std::vector<std::uint32_t> slots_;      // open addressing: entry index + 1, 0 when empty
};

}  // namespace tesk::workbook
