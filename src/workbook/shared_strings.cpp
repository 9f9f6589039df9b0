#include "workbook/shared_strings.h"

#include <algorithm>

#include "workbook/utf16_text.h"

namespace tesk::workbook {
namespace {

constexpr std::size_t kStringHeader = 3;  // character count and option flags
constexpr std::size_t kFirstSlots = 1024;
constexpr std::size_t kMaxSets = 128;  // Excel's index has at most this many sets of strings

std::uint32_t Hash(std::u16string_view text) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char16_t unit : text) hash = (hash ^ unit) * 16777619u;
  return hash;
}

}  // namespace

std::uint32_t SharedStrings::Intern(std::u16string_view text) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  const bool wide = NeedsWideForm(text);
  const std::uint32_t hash = Hash(text);
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::uint32_t index = slots_[slot] - 1;
    if (entries_[index].hash == hash && Matches(entries_[index], text, wide)) return index;
  }
  entries_.push_back({characters_.size(), static_cast<std::uint16_t>(text.size()), wide, hash});
  for (const char16_t unit : text) {
    characters_.push_back(static_cast<std::uint8_t>(unit));
    if (wide) characters_.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  slots_[slot] = static_cast<std::uint32_t>(entries_.size());
  return static_cast<std::uint32_t>(entries_.size() - 1);
}

bool SharedStrings::Matches(const Entry& entry, std::u16string_view text, bool wide) const {
  if (entry.units != text.size() || entry.wide != wide) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (UnitAt(entry, i) != text[i]) return false;
  }
  return true;
}

void SharedStrings::Grow() {
  slots_.assign(std::max(kFirstSlots, slots_.size() * 2), 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    std::size_t slot = entries_[index].hash & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(index + 1);
  }
}

std::uint16_t SharedStrings::UnitAt(const Entry& entry, std::size_t index) const {
  if (!entry.wide) return characters_[entry.offset + index];
  const std::size_t at = entry.offset + 2 * index;
  return static_cast<std::uint16_t>(characters_[at] | characters_[at + 1] << 8);
}

void SharedStrings::Write(RecordWriter& out, std::uint32_t references) const {
  const std::size_t perSet = std::max<std::size_t>(entries_.size() / kMaxSets + 1, 8);
  std::vector<std::pair<std::size_t, std::size_t>> sets;  // stream offset, offset in its record
  sets.reserve(entries_.size() / perSet + 1);
  out.Begin(kSst);
  out.U32(references);
  out.U32(static_cast<std::uint32_t>(entries_.size()));
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    const Entry& entry = entries_[index];
    // A string's header is never split, and its first character is in the same record.
    if (out.Room() < kStringHeader + FirstCharacterBytes(entry)) out.Continue();
    if (index % perSet == 0) sets.emplace_back(out.Offset(), out.Used() + 4);
    out.U16(entry.units);
    out.U8(entry.wide ? 1 : 0);
    WriteCharacters(out, entry);
  }
  out.End();

  out.Begin(kExtSst);
  out.U16(static_cast<std::uint16_t>(perSet));
  for (const auto& [offset, inRecord] : sets) {
    out.U32(static_cast<std::uint32_t>(offset));
    out.U16(static_cast<std::uint16_t>(inRecord));
    out.U16(0);
  }
  out.End();
}

std::size_t SharedStrings::FirstCharacterBytes(const Entry& entry) const {
  if (!entry.wide) return 1;
  return entry.units > 1 && IsHighSurrogate(UnitAt(entry, 0)) ? 4 : 2;
}

// Splits only between characters; the record that continues a string starts with its form again.
void SharedStrings::WriteCharacters(RecordWriter& out, const Entry& entry) const {
  const std::size_t width = entry.wide ? 2 : 1;
  std::size_t done = 0;
  for (;;) {
    std::size_t count = std::min<std::size_t>(entry.units - done, out.Room() / width);
    if (entry.wide && count > 0 && done + count < entry.units &&
        IsHighSurrogate(UnitAt(entry, done + count - 1))) {
      --count;
    }
    out.Bytes(characters_.data() + entry.offset + done * width, count * width);
    done += count;
    if (done == entry.units) return;
    out.Continue();
    out.U8(entry.wide ? 1 : 0);
  }
}

std::size_t SharedStrings::WrittenSizeBound() const {
  const std::size_t strings = characters_.size() + kStringHeader * entries_.size();
  // Per record: its header, a continued string's form byte, and at most 6 bytes left unused.
  const std::size_t records = strings / (kMaxRecordData - 16) + 1;
  return 12 + strings + records * 11 + 6 + 8 * kMaxSets;
}

}  // namespace tesk::workbook
