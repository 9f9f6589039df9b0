#include "windows/shortcut_table.h"

#include <algorithm>
#include <string_view>

namespace tesk::windows {
namespace {

const char* Describe(ShortcutListError::Number number) {
  return number == ShortcutListError::kOverflow ? "Overflow" : "Subscript out of range";
}

// A record of exactly three fields, or an empty row.
Shortcut RecordToRow(std::string_view record) {
  const std::size_t first = record.find('|');
  if (first == std::string_view::npos) return {};
  const std::size_t second = record.find('|', first + 1);
  if (second == std::string_view::npos || record.find('|', second + 1) != std::string_view::npos) {
    return {};
  }
  return {std::string(record.substr(0, first)),
          std::string(record.substr(first + 1, second - first - 1)),
          std::string(record.substr(second + 1))};
}

}  // namespace

ShortcutListError::ShortcutListError(Number number)
    : std::runtime_error(Describe(number)), number_(number) {}

ShortcutTable ParseShortcutList(const std::string& list) {
  // An empty text splits into no records, and a table of no rows cannot be made.
  if (list.empty()) throw ShortcutListError(ShortcutListError::kSubscriptOutOfRange);
  const auto records = static_cast<std::size_t>(std::count(list.begin(), list.end(), '^')) + 1;
  if (records > kMaxShortcutRecords) throw ShortcutListError(ShortcutListError::kOverflow);

  ShortcutTable table;
  table.reserve(records);
  const std::string_view text(list);
  std::size_t start = 0;
  for (std::size_t end = text.find('^'); table.size() + 1 < records; end = text.find('^', start)) {
    table.push_back(RecordToRow(text.substr(start, end - start)));
    start = end + 1;
  }
  table.push_back(RecordToRow(text.substr(start)));
  return table;
}

}  // namespace tesk::windows
