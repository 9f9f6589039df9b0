#pragma once
// What screen readers and UI automation are told about a cmd button: its caption as it reads,
// its keyboard shortcut, its role and its states. The platform turns this into its own
// accessibility interface.

#include <string>

#include "button/cmd.h"

namespace tesk::button {

enum class AccessibleRole { PushButton, CheckButton };

struct AccessibleButton {
  AccessibleRole role = AccessibleRole::PushButton;
  std::string name;      // the caption without its access-key marks: "R&&D &Log" reads "R&D Log"
  std::string shortcut;  // "Alt+L", or empty when the caption has no access key
  bool unavailable = false;
  bool focusable = false;
  bool focused = false;
  bool pressed = false;  // held down by the mouse or the space bar
  bool checked = false;
};

AccessibleButton DescribeButton(const Cmd& cmd);

}  // namespace tesk::button
