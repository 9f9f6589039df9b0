#pragma once
// Forms that record what their handlers do instead of showing anything: every call as a line
// of text, in order, across nested forms. What the user does on a form is scripted per form.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/form.h"

namespace tesk::test {

// Something the user does on an open form.
using FormAction = std::function<void(platform::Form&, platform::FormEvents&)>;
FormAction ClickOn(std::string control);
FormAction MoveOver(std::string control);  // "" is the form's background

class RecordingForms final : public platform::Forms {
 public:
  // Records "ShowModal <form>", loads the form, plays its script until a handler unloads it,
  // and records "closed <form>". A form whose script runs out is closed by its close box.
  void ShowModal(const platform::FormTable& table, platform::FormEvents& events) override;

  // The actions for the next showing of each form, by table name; a showing uses them up.
  std::map<std::string, std::vector<FormAction>> scripts;
  // "SetText <control>=<text>", "SetForeColor <control>=<hex>", ...; a control that is not in
  // the form's table is recorded as "no control <name>".
  std::vector<std::string> calls;
  // What the last FillGrid showed, as long as its owner keeps it.
  const platform::GridContents* grid = nullptr;
  // Calls ("LoadIcon", "LoadPicture", "Navigate", ...) that throw once recorded.
  std::set<std::string> failing;
};

}  // namespace tesk::test
