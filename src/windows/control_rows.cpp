#include "windows/control_rows.h"

#include <utility>

namespace tesk::windows {
namespace {

using platform::ControlKind;
using platform::ControlRow;

ControlRow Control(ControlKind kind, std::string name, Twips place) {
  ControlRow row;
  row.kind = kind;
  row.name = std::move(name);
  row.left = place.left;
  row.top = place.top;
  row.width = place.width;
  row.height = place.height;
  return row;
}

// Every standard window's buttons look alike: light grey faces, black text, grey mask colour
// and a focus rectangle; only their style differs.
platform::ButtonLook StandardButtonLook(std::int32_t buttonType) {
  platform::ButtonLook look;
  look.buttonType = buttonType;
  look.colorScheme = 1;
  look.backColor = look.backOver = 0xF0F0F0;
  look.foreColor = look.foreOver = kBlack;
  look.maskColor = 0xC0C0C0;
  look.useMaskColor = true;
  look.showFocusRect = true;
  return look;
}

}  // namespace

ControlRow LabelControl(std::string name, Twips place, std::string text, platform::FormFont font,
                        platform::OleColor foreColor) {
  ControlRow row = Control(ControlKind::Label, std::move(name), place);
  row.text = std::move(text);
  row.font = std::move(font);
  row.foreColor = foreColor;
  return row;
}

ControlRow ImageControl(std::string name, Twips place, platform::DesignPicture picture,
                        bool stretch) {
  ControlRow row = Control(ControlKind::Image, std::move(name), place);
  row.picture = picture;
  row.stretch = stretch;
  return row;
}

ControlRow HandIconControl(std::string name, Twips place) {
  ControlRow row = ImageControl(std::move(name), place, platform::DesignPicture::HandIcon);
  row.visible = false;
  return row;
}

ControlRow LineControl(std::string name, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                       std::int32_t y2, platform::OleColor colour) {
  ControlRow row = Control(ControlKind::Line, std::move(name), {x1, y1, x2 - x1, y2 - y1});
  row.foreColor = colour;
  return row;
}

ControlRow TextBoxControl(std::string name, Twips place, platform::FormFont font) {
  ControlRow row = Control(ControlKind::TextBox, std::move(name), place);
  row.font = std::move(font);
  return row;
}

ControlRow GridControl(std::string name, Twips place, platform::FormFont font) {
  ControlRow row = Control(ControlKind::Grid, std::move(name), place);
  row.font = std::move(font);
  row.backColor = kWhite;
  return row;
}

ControlRow BrowserControl(std::string name, Twips place) {
  return Control(ControlKind::Browser, std::move(name), place);
}

ControlRow PictureBoxControl(std::string name, Twips place) {
  return Control(ControlKind::PictureBox, std::move(name), place);
}

ControlRow ButtonControl(std::string name, Twips place, std::string caption,
                         platform::FormFont font, std::int32_t buttonType) {
  ControlRow row = Control(ControlKind::Button, std::move(name), place);
  row.text = std::move(caption);
  row.font = std::move(font);
  row.button = StandardButtonLook(buttonType);
  return row;
}

}  // namespace tesk::windows
