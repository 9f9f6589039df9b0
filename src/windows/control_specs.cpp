#include "windows/control_specs.h"

#include <utility>

namespace tesk::windows {
namespace {

using platform::ControlKind;
using platform::ControlSpec;

ControlSpec Control(ControlKind kind, std::string name, Twips place) {
  ControlSpec spec;
  spec.kind = kind;
  spec.name = std::move(name);
  spec.left = place.left;
  spec.top = place.top;
  spec.width = place.width;
  spec.height = place.height;
  return spec;
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

ControlSpec LabelControl(std::string name, Twips place, std::string text,
                         platform::FormFont font, platform::OleColor foreColor) {
  ControlSpec spec = Control(ControlKind::Label, std::move(name), place);
  spec.text = std::move(text);
  spec.font = std::move(font);
  spec.foreColor = foreColor;
  return spec;
}

ControlSpec ImageControl(std::string name, Twips place, platform::DesignPicture picture,
                         bool stretch) {
  ControlSpec spec = Control(ControlKind::Image, std::move(name), place);
  spec.picture = picture;
  spec.stretch = stretch;
  return spec;
}

ControlSpec HandIconControl(std::string name, Twips place) {
  ControlSpec spec = ImageControl(std::move(name), place, platform::DesignPicture::HandIcon);
  spec.visible = false;
  return spec;
}

ControlSpec LineControl(std::string name, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                        std::int32_t y2, platform::OleColor colour) {
  ControlSpec spec = Control(ControlKind::Line, std::move(name), {x1, y1, x2 - x1, y2 - y1});
  spec.foreColor = colour;
  return spec;
}

ControlSpec TextBoxControl(std::string name, Twips place, platform::FormFont font) {
  ControlSpec spec = Control(ControlKind::TextBox, std::move(name), place);
  spec.font = std::move(font);
  return spec;
}

ControlSpec PictureBoxControl(std::string name, Twips place) {
  return Control(ControlKind::PictureBox, std::move(name), place);
}

ControlSpec ButtonControl(std::string name, Twips place, std::string caption,
                          platform::FormFont font, std::int32_t buttonType) {
  ControlSpec spec = Control(ControlKind::Button, std::move(name), place);
  spec.text = std::move(caption);
  spec.font = std::move(font);
  spec.button = StandardButtonLook(buttonType);
  return spec;
}

}  // namespace tesk::windows
