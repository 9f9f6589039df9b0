#pragma once
// The About window (FrmAboutUs): the product's display name and version, the maker's web
// address, and the ways on to system information and technical support.

#include <string>

#include "interface/host_values.h"
#include "windows/shared_window.h"

namespace tesk::windows {

class AboutWindow final : public SharedWindow {
 public:
  // Reads the About values and the product symbol from `values` when it loads, and normalises
  // `values.aboutProductName` in place. "Tech. Support..." shows `techSupport` on top of it.
  AboutWindow(HostValues& values, SharedWindow& techSupport);

  void Load(platform::Form& form) override;
  void Click(platform::Form& form, const std::string& control) override;
  void MouseMove(platform::Form& form, const std::string& control) override;

 private:
  HostValues& values_;
  SharedWindow& techSupport_;
};

}  // namespace tesk::windows
