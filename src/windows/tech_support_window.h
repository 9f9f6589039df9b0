#pragma once
// The technical-support window (FrmTechSupport): the support telephone number, the online
// support-request form's address and a link to the support site. Opened from the About window.

#include <string>

#include "interface/host_values.h"
#include "windows/shared_window.h"

namespace tesk::windows {

class TechSupportWindow final : public SharedWindow {
 public:
  // Reads the product symbol from `values` when it loads.
  explicit TechSupportWindow(const HostValues& values);

  void Load(platform::Form& form) override;
  void Click(platform::Form& form, const std::string& control) override;

 private:
  void LoadArtwork(platform::Form& form) const;

  const HostValues& values_;
};

}  // namespace tesk::windows
