#include "windows/tech_support_window.h"

#include "interface/implementation_settings.h"
#include "windows/control_rows.h"
#include "windows/settings_folder.h"
#include "windows/web_link.h"
#include "windows/window_artwork.h"

namespace tesk::windows {
namespace {

using platform::FormFont;

platform::FormTable BuildTechSupportTable() {
  const FormFont verdana{"Verdana", 8.25, false, false};
  const FormFont bold{"Verdana", 8.25, true, false};
  const FormFont heading{"Verdana", 8.25, true, true};
  platform::ControlRow banner = ImageControl("Image1", {30, 30, 6840, 1095},
                                             platform::DesignPicture::SupportBanner, true);
  platform::ControlRow link = LabelControl("Label9", {4770, 1710, 1545, 195},
                                           kDefaultSupportHost,
                                           {"MS Sans Serif", 8.25, false, true}, kNavy);
  link.notifies = true;
  link.autoSize = true;

  platform::FormTable table;
  table.name = "FrmTechSupport";
  table.caption = "Technical Support";
  table.width = 6945;
  table.height = 4815;
  table.backColor = kWhite;
  table.font = verdana;
  table.controls = {
      banner,
      LineControl("Line1", 120, 1050, 6840, 1050, 0xC0C0C0),
      LabelControl("Label1", {2220, 1170, 2490, 210}, "Product Support services",
                   {"Verdana", 9, true, true}, kNavy),
      LabelControl("Label2", {150, 1530, 1920, 195}, "Telephone Services", heading),
      link,
      LabelControl("Label3", {480, 1815, 1425, 195}, "Direct Call Nos", bold),
      LabelControl("Label4", {480, 2115, 6375, 645}, "", verdana),
      LabelControl("Label7", {150, 2985, 2850, 195}, "Online Support Request Form", heading),
      LabelControl("Label8", {480, 3270, 6375, 795}, "", verdana),
      LineControl("Line2", 150, 4230, 6870, 4230, 0xC0C0C0),
      HandIconControl("imgHand", {2640, 675, 480, 480}),
      ButtonControl("cmd1", {5610, 4350, 1245, 375}, "E&xit", {"Tahoma", 8.25, false, false},
                    2),
  };
  return table;
}

const platform::FormTable& TechSupportTable() {
  static const platform::FormTable table = BuildTechSupportTable();
  return table;
}

std::string ValueOr(std::string value, const std::string& fallback) {
  return value.empty() ? fallback : value;
}

}  // namespace

TechSupportWindow::TechSupportWindow(const HostValues& values)
    : SharedWindow(TechSupportTable(), "The Technical Support window"), values_(values) {}

void TechSupportWindow::Load(platform::Form& form) {
  LoadArtwork(form);
  platform::Registry& registry = Services().registry;
  // The link shows the support host it opens, which an installation may have overridden.
  form.SetText("Label9", SupportHost(registry));
  const std::string phone = ValueOr(
      GetSettingValue(Services(), values_.productSymbol, "VendorContactInfo"),
      SupportPhone(registry));
  form.SetText("Label4", "Our Direct Call No is " + phone +
                             ". Incoming call on this no for support issued will be taken by "
                             "CRM. On behalf of customer, support request will be submitted to "
                             "support department.");
  const std::string site = ValueOr(GetSettingValue(Services(), values_.productSymbol, "visit us"),
                                   WebAddress(WebHost(registry)));
  form.SetText("Label8", "Online support Request form has been provided to every customer. "
                         "Customer should access their login at " +
                             site +
                             " with valid user name and password. It is very simple and in "
                             "easy steps to submit support request directly to our support "
                             "department.");
}

void TechSupportWindow::Click(platform::Form& form, const std::string& control) {
  if (control == "cmd1") {
    form.Unload();
  } else if (control == "Label9") {
    OpenWebAddress(Services().programs, SupportHost(Services().registry));
  }
}

// The banner is replaced only when the folder marks it as wanted with "RGWINDOW.jpg"; the
// picture itself is "nameaddress.jpg".
void TechSupportWindow::LoadArtwork(platform::Form& form) const {
  const std::string& symbol = values_.productSymbol;
  if (ArtworkFile(Services(), symbol, "RGWINDOW.jpg")) {
    LoadArtworkPicture(form, Services(), symbol, "Image1", "nameaddress.jpg");
  }
  LoadArtworkIcon(form, Services(), symbol);
}

}  // namespace tesk::windows
