#include "button/accessible_button.h"

#include <cctype>

namespace tesk::button {
namespace {

struct CaptionReading {
  std::string text;
  std::string accessKey;  // one character, UTF-8
};

std::size_t Utf8SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// The caption as the button draws it and the dialog manager matches it: "&&" shows one "&",
// any other "&" underlines the character after it, and the first character so marked is the
// key that presses the button.
CaptionReading ReadCaption(const std::string& caption) {
  CaptionReading reading;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (++i == caption.size()) break;  // a closing "&" marks nothing
      if (caption[i] != '&' && reading.accessKey.empty()) {
        reading.accessKey =
            caption.substr(i, Utf8SequenceLength(static_cast<unsigned char>(caption[i])));
      }
    }
    reading.text += caption[i];
  }
  return reading;
}

std::string ShortcutOf(const std::string& accessKey) {
  if (accessKey.empty()) return {};
  std::string key = accessKey;
  if (key.size() == 1) key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
  return "Alt+" + key;
}

}  // namespace

AccessibleButton DescribeButton(const Cmd& cmd) {
  const CaptionReading reading = ReadCaption(cmd.Caption());
  AccessibleButton button;
  button.role = cmd.CheckBoxBehaviour() ? AccessibleRole::CheckButton : AccessibleRole::PushButton;
  button.name = reading.text;
  button.shortcut = ShortcutOf(reading.accessKey);
  button.unavailable = !cmd.Enabled();
  button.focusable = cmd.Enabled();
  button.focused = cmd.HasFocus();
  button.checked = cmd.CheckBoxBehaviour() && cmd.Value();
  // A checked button's face stays down; only a face down for another reason is a press.
  button.pressed = cmd.LastState() == kDown && !button.checked;
  return button;
}

}  // namespace tesk::button
