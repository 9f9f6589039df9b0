#include "windows/tip_window.h"

#include "windows/control_rows.h"
#include "windows/window_artwork.h"

namespace tesk::windows {
namespace {

platform::FormTable BuildTipTable() {
  platform::ControlRow heading =
      LabelControl("Label1", {0, 180, 2955, 195}, "Did you know This Version Includes  ...",
                   {"MS Sans Serif", 8.25, false, false}, kRed);
  heading.backColor = kWhite;
  heading.container = "Picture1";

  platform::FormTable table;
  table.name = "frmTip";
  table.caption = "What's New";
  table.width = 9345;
  table.height = 4815;
  table.backColor = kWhite;
  table.font = {"Tahoma", 9.75, false, false};
  table.controls = {
      PictureBoxControl("Picture1", {120, 60, 7155, 510}),
      heading,
      TextBoxControl("RtNew", {120, 630, 7155, 4095}, {"Verdana", 8.25, false, false}),
      ImageControl("Image1", {7320, 60, 1995, 1995}, platform::DesignPicture::WhatsNewPicture,
                   true),
      ButtonControl("cmdclose", {8100, 4380, 1185, 375}, "&Close", table.font, 3),
  };
  return table;
}

const platform::FormTable& TipTable() {
  static const platform::FormTable table = BuildTipTable();
  return table;
}

}  // namespace

TipWindow::TipWindow(const HostValues& values)
    : SharedWindow(TipTable(), "The What's New window"), values_(values) {}

void TipWindow::Load(platform::Form& form) {
  LoadArtworkIcon(form, Services(), values_.productSymbol);
  form.SetBackColor("Picture1", kWhite);
  form.SetBackColor("Label1", kWhite);
  form.SetBackColor("RtNew", TipTable().backColor);
  form.SetText("RtNew", whatNewText_);
}

void TipWindow::Click(platform::Form& form, const std::string& control) {
  if (control == "cmdclose") form.Unload();
}

}  // namespace tesk::windows
