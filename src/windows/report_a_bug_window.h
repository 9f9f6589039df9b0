#pragma once
// The bug-report window (FrmReportABug): the bug-report page the update server names, in a
// web browser that fills the window.

#include "interface/host_values.h"
#include "windows/shared_window.h"

namespace tesk::windows {

// What the browser shows when the update server named no web page.
constexpr char kBlankPage[] = "about:blank";

class ReportABugWindow final : public SharedWindow {
 public:
  // Reads the product symbol from `values` when it loads.
  explicit ReportABugWindow(const HostValues& values);

  void Load(platform::Form& form) override;
  void Resize(platform::Form& form) override;

 private:
  const HostValues& values_;
};

}  // namespace tesk::windows
