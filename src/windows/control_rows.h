#pragma once
// Short constructors for the rows of the windows' control tables, so that each table reads as
// a list of controls with their places and looks.

#include <cstdint>
#include <string>

#include "platform/form.h"

namespace tesk::windows {

constexpr platform::OleColor kNavy = 0x800000;
constexpr platform::OleColor kRed = 0x0000FF;
constexpr platform::OleColor kWhite = 0xFFFFFF;
constexpr platform::OleColor kBlack = 0x000000;

struct Twips {
  std::int32_t left, top, width, height;
};

platform::ControlRow LabelControl(std::string name, Twips place, std::string text,
                                  platform::FormFont font, platform::OleColor foreColor = kBlack);
platform::ControlRow ImageControl(std::string name, Twips place, platform::DesignPicture picture,
                                  bool stretch = false);
// The hidden hand icon that link labels take their mouse pointer from.
platform::ControlRow HandIconControl(std::string name, Twips place);
// A horizontal or vertical line from (x1, y1) to (x2, y2).
platform::ControlRow LineControl(std::string name, std::int32_t x1, std::int32_t y1,
                                 std::int32_t x2, std::int32_t y2, platform::OleColor colour);
platform::ControlRow TextBoxControl(std::string name, Twips place, platform::FormFont font);
platform::ControlRow GridControl(std::string name, Twips place, platform::FormFont font);
platform::ControlRow BrowserControl(std::string name, Twips place);
platform::ControlRow PictureBoxControl(std::string name, Twips place);
platform::ControlRow ButtonControl(std::string name, Twips place, std::string caption,
                                   platform::FormFont font, std::int32_t buttonType);

}  // namespace tesk::windows
