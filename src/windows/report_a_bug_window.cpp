#include "windows/report_a_bug_window.h"

#include <string>

#include "interface/implementation_settings.h"
#include "windows/control_rows.h"
#include "windows/pass_over_failure.h"
#include "windows/report_a_bug_address.h"
#include "windows/window_artwork.h"

namespace tesk::windows {
namespace {

platform::FormTable BuildReportABugTable() {
  platform::FormTable table;
  table.name = "FrmReportABug";
  table.caption = "Report a Bug";
  table.width = 4680;
  table.height = 4080;
  table.sizable = true;
  table.controls = {BrowserControl("WebBrowser1", {210, 210, 2565, 2625})};
  return table;
}

const platform::FormTable& ReportABugTable() {
  static const platform::FormTable table = BuildReportABugTable();
  return table;
}

}  // namespace

ReportABugWindow::ReportABugWindow(const HostValues& values)
    : SharedWindow(ReportABugTable(), "The Report a Bug window"), values_(values) {}

void ReportABugWindow::Load(platform::Form& form) {
  WindowServices& services = Services();
  LoadArtworkIcon(form, services, values_.productSymbol);
  std::string address;
  PassOverFailure([&] {
    address = FetchReportABugAddress(
        {services.environment, services.files, services.transfer, services.hostThread},
        UpdateServer(services.registry), DownloadSeconds(services.registry));
  });
  // Anything but a web address would run inside the host's process: the blank page instead.
  PassOverFailure(
      [&] { form.Navigate("WebBrowser1", IsWebAddress(address) ? address : kBlankPage); });
}

// The browser always covers the whole client area.
void ReportABugWindow::Resize(platform::Form& form) {
  form.MoveControl("WebBrowser1", 0, 0, form.ScaleWidth(), form.ScaleHeight());
}

}  // namespace tesk::windows
