#include "workbook/record_writer.h"

#include "workbook/utf16_text.h"

namespace tesk::workbook {

void RecordWriter::Begin(std::uint16_t id) {
  start_ = stream_.size();
  U16(id);
  U16(0);
}

void RecordWriter::End() {
  const std::size_t length = Used();
  stream_[start_ + 2] = static_cast<std::uint8_t>(length);
  stream_[start_ + 3] = static_cast<std::uint8_t>(length >> 8);
}

void RecordWriter::Continue() {
  End();
  Begin(kContinue);
}

void RecordWriter::U16(std::uint16_t value) {
  stream_.push_back(static_cast<std::uint8_t>(value));
  stream_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void RecordWriter::U32(std::uint32_t value) {
  U16(static_cast<std::uint16_t>(value));
  U16(static_cast<std::uint16_t>(value >> 16));
}

void RecordWriter::Bytes(const std::uint8_t* data, std::size_t size) {
  stream_.insert(stream_.end(), data, data + size);
}

void RecordWriter::ShortText(std::u16string_view text) {
  const bool wide = NeedsWideForm(text);
  U8(static_cast<std::uint8_t>(text.size()));
  U8(wide ? 1 : 0);
  for (const char16_t unit : text) {
    if (wide) {
      U16(unit);
    } else {
      U8(static_cast<std::uint8_t>(unit));
    }
  }
}

void RecordWriter::PatchU32(std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) stream_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace tesk::workbook
