#include "windows/about_window.h"

#include <algorithm>
#include <cctype>

#include "interface/implementation_settings.h"
#include "windows/control_rows.h"
#include "windows/product_table.h"
#include "windows/system_information.h"
#include "windows/web_link.h"
#include "windows/window_artwork.h"

namespace tesk::windows {
namespace {

using platform::DesignPicture;
using platform::FormFont;

platform::FormTable BuildAboutTable() {
  const FormFont sansSerif{"MS Sans Serif", 8.25, false, false};
  platform::ControlRow link = LabelControl("LblLink", {5520, 1590, 1620, 195}, kDefaultWebHost,
                                           {"MS Sans Serif", 8.25, false, true}, kNavy);
  link.notifies = true;
  link.autoSize = true;
  link.mousePointer = platform::kCustomPointer;

  // The name and version must show whole, whatever the product's name.
  platform::ControlRow productName = LabelControl(
      "lblproductname", {1440, 360, 1470, 270}, "", {"Arial", 11.25, true, false}, kNavy);
  productName.autoSize = true;

  platform::FormTable table;
  table.name = "FrmAboutUs";
  table.caption = "About";
  table.width = 7515;
  table.height = 5460;
  table.backColor = kWhite;
  table.controls = {
      ImageControl("Image1", {0, 0, 1050, 4500}, DesignPicture::AboutPicture),
      productName,
      LabelControl("LblVersion", {5490, 1170, 1665, 210}, "", {"Arial", 8.25, true, false},
                   kNavy),
      link,
      HandIconControl("imgHand", {5280, 1575, 480, 480}),
      LineControl("Line1", 1185, 4050, 11970, 4050, 0xE0E0E0),
      LabelControl("Label6", {75, 4560, 5895, 885}, "", sansSerif),
      ButtonControl("cmdClose", {6045, 4185, 1305, 315}, "&OK", sansSerif, 3),
      ButtonControl("cmdSystemInfo", {6045, 4590, 1305, 315}, "System Info...", sansSerif, 3),
      ButtonControl("cmdTechSupport", {6045, 5010, 1305, 315}, "Tech. Support...", sansSerif, 3),
  };
  return table;
}

const platform::FormTable& AboutTable() {
  static const platform::FormTable table = BuildAboutTable();
  return table;
}

// Rewrites `name` to its symbol form (no blanks, no hyphens, upper case) and gives the
// product's display name; a name the table does not know comes back as it was passed.
std::string GetProductDisplayName(std::string& name) {
  const std::string asPassed = name;
  for (const char removed : {' ', '-'}) {
    name.erase(std::remove(name.begin(), name.end(), removed), name.end());
  }
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const Product* product = FindProduct(name);
  return product != nullptr ? std::string(product->displayName) : asPassed;
}

}  // namespace

AboutWindow::AboutWindow(HostValues& values, SharedWindow& techSupport)
    : SharedWindow(AboutTable(), "The About window"), values_(values), techSupport_(techSupport) {}

void AboutWindow::Load(platform::Form& form) {
  LoadArtworkIcon(form, Services(), values_.productSymbol);
  LoadArtworkPicture(form, Services(), values_.productSymbol, "Image1", "verticalimage.jpg");
  form.SetMouseIcon("LblLink", "imgHand");
  // The first lookup normalises the shared name, so for a name the table does not know the
  // caption shows it as passed and the label its normalised form.
  form.SetCaption("About " + GetProductDisplayName(values_.aboutProductName));
  form.SetText("lblproductname", GetProductDisplayName(values_.aboutProductName) + " (Ver. " +
                                     values_.aboutVersion + ")");
  form.SetText("LblLink", WebHost(Services().registry));
}

void AboutWindow::Click(platform::Form& form, const std::string& control) {
  if (control == "cmdClose") {
    form.Unload();
  } else if (control == "cmdSystemInfo") {
    StartSysInfo(Services());
  } else if (control == "cmdTechSupport") {
    techSupport_.Show(Services());
  } else if (control == "LblLink") {
    OpenWebAddress(Services().programs, WebHost(Services().registry));
  }
}

// The link is red only while the pointer is on it; the background and the picture around it
// turn it back to navy.
void AboutWindow::MouseMove(platform::Form& form, const std::string& control) {
  if (control == "LblLink") {
    form.SetForeColor("LblLink", kRed);
  } else if (control.empty() || control == "Image1") {
    form.SetForeColor("LblLink", kNavy);
  }
}

}  // namespace tesk::windows
