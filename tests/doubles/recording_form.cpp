#include "doubles/recording_form.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace tesk::test {
namespace {

std::string Hex(platform::OleColor colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(colour));
  return text;
}

class RecordingForm final : public platform::Form {
 public:
  RecordingForm(const platform::FormTable& table, RecordingForms& forms)
      : table_(table), calls_(forms.calls), grid_(forms.grid), failing_(forms.failing) {}

  void SetCaption(const std::string& caption) override {
    calls_.push_back("SetCaption " + caption);
  }
  void LoadIcon(const std::string& path) override {
    calls_.push_back("LoadIcon " + path);
    FailIfAsked("LoadIcon");
  }
  void LoadPicture(const std::string& control, const std::string& path) override {
    Record("LoadPicture", control, path);
  }
  void SetText(const std::string& control, const std::string& text) override {
    Record("SetText", control, text);
  }
  void SetForeColor(const std::string& control, platform::OleColor colour) override {
    Record("SetForeColor", control, Hex(colour));
  }
  void SetBackColor(const std::string& control, platform::OleColor colour) override {
    Record("SetBackColor", control, Hex(colour));
  }
  void SetMouseIcon(const std::string& control, const std::string& source) override {
    Record("SetMouseIcon", control, source);
    if (!HasControl(source)) calls_.push_back("no control " + source);
  }
  void FillGrid(const std::string& control, const platform::GridContents& contents) override {
    Record("FillGrid", control, std::to_string(contents.RowCount()) + " rows");
    grid_ = &contents;
  }
  void Navigate(const std::string& control, const std::string& address) override {
    Record("Navigate", control, address);
  }
  std::int32_t ScaleWidth() override { return table_.width; }
  std::int32_t ScaleHeight() override { return table_.height; }
  void MoveControl(const std::string& control, std::int32_t left, std::int32_t top,
                   std::int32_t w, std::int32_t h) override {
    Record("MoveControl", control,
           std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(w) + "," +
               std::to_string(h));
  }
  void Unload() override {
    calls_.push_back("Unload");
    unloaded = true;
  }

  bool unloaded = false;

 private:
  bool HasControl(const std::string& name) const {
    return std::any_of(table_.controls.begin(), table_.controls.end(),
                       [&name](const platform::ControlRow& c) { return c.name == name; });
  }
  void Record(const std::string& call, const std::string& control, const std::string& value) {
    if (!HasControl(control)) calls_.push_back("no control " + control);
    calls_.push_back(call + " " + control + "=" + value);
    FailIfAsked(call);
  }
  void FailIfAsked(const std::string& call) const {
    if (failing_.count(call)) throw std::runtime_error(call + " failed");
  }

  const platform::FormTable& table_;
  std::vector<std::string>& calls_;
  const platform::GridContents*& grid_;
  const std::set<std::string>& failing_;
};

}  // namespace

FormAction ClickOn(std::string control) {
  return [control](platform::Form& form, platform::FormEvents& events) {
    events.Click(form, control);
  };
}

FormAction MoveOver(std::string control) {
  return [control](platform::Form& form, platform::FormEvents& events) {
    events.MouseMove(form, control);
  };
}

void RecordingForms::ShowModal(const platform::FormTable& table, platform::FormEvents& events) {
  calls.push_back("ShowModal " + table.name);
  const std::vector<FormAction> script = std::exchange(scripts[table.name], {});
  RecordingForm form(table, *this);
  events.Load(form);
  for (const FormAction& action : script) {
    if (form.unloaded) break;
    action(form, events);
  }
  calls.push_back("closed " + table.name);
}

}  // namespace tesk::test
