#pragma once
// The host's keyboard shortcuts: rows of main menu, menu item and keys, and the list text
// that hosts may pass instead ("File|Open|Ctrl+O^File|Save|Ctrl+S").

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tesk::windows {

struct Shortcut {
  std::string mainMenu;
  std::string menuItem;
  std::string keys;
};

using ShortcutTable = std::vector<Shortcut>;

// A list or an array that cannot become a table; `number` is the Visual Basic runtime error
// that hosts of this library know for it.
class ShortcutListError : public std::runtime_error {
 public:
  enum Number { kOverflow = 6, kSubscriptOutOfRange = 9 };
  explicit ShortcutListError(Number number);
  Number number() const { return number_; }

 private:
  Number number_;
};

// The largest list: its records were counted with a 16-bit signed counter.
constexpr std::size_t kMaxShortcutRecords = 32767;

// Records separated by "^", fields by "|"; no escaping. A record without exactly three fields
// becomes an empty row. Fields are kept as they stand, untrimmed.
// Throws ShortcutListError: kSubscriptOutOfRange for an empty list, kOverflow for more than
// kMaxShortcutRecords records.
ShortcutTable ParseShortcutList(const std::string& list);

}  // namespace tesk::windows
