#pragma once
// Appends BIFF8 records to a stream: each a two-byte id, a two-byte data length, then the data.
// A record holds at most kMaxRecordData bytes; longer data goes on in CONTINUE records.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "workbook/record_types.h"

namespace tesk::workbook {

class RecordWriter {
 public:
  explicit RecordWriter(std::vector<std::uint8_t>& stream) : stream_(stream) {}

  // Opens a record; its length is written when it is closed.
  void Begin(std::uint16_t id);
  void End();
  // Closes the open record and opens a CONTINUE record for the rest of its data.
  void Continue();

  // Bytes the open record can still take.
  std::size_t Room() const { return kMaxRecordData - Used(); }
  std::size_t Used() const { return stream_.size() - start_ - kHeaderSize; }
  // Where the next byte goes in the stream.
  std::size_t Offset() const { return stream_.size(); }

  void U8(std::uint8_t value) { stream_.push_back(value); }
  void U16(std::uint16_t value);
  void U32(std::uint32_t value);
  void Bytes(const std::uint8_t* data, std::size_t size);
  // A short text as FONT and BOUNDSHEET hold it: a one-byte length, then the characters one byte
  // each when all are below 0x100, else UTF-16LE. At most 255 code units.
  void ShortText(std::u16string_view text);

  // Overwrites four bytes written earlier, as an offset known only later.
  void PatchU32(std::size_t offset, std::uint32_t value);

 private:
  static constexpr std::size_t kHeaderSize = 4;

  std::vector<std::uint8_t>& stream_;
  std::size_t start_ = 0;  // where the open record's header is
};

}  // namespace tesk::workbook
