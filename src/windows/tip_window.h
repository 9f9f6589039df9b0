#pragma once
// The what's-new window (frmTip): a text the host supplies under a fixed heading.

#include <string>
#include <utility>

#include "interface/host_values.h"
#include "windows/shared_window.h"

namespace tesk::windows {

class TipWindow final : public SharedWindow {
 public:
  // Reads the product symbol from `values` when it loads.
  explicit TipWindow(const HostValues& values);

  // The text the next showing displays, unchanged; it stays until it is set again.
  void SetWhatNewText(std::string text) { whatNewText_ = std::move(text); }

  void Load(platform::Form& form) override;
  void Click(platform::Form& form, const std::string& control) override;

 private:
  const HostValues& values_;
  std::string whatNewText_;
};

}  // namespace tesk::windows
