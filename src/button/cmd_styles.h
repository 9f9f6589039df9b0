#pragma once
// The names the cmd button's painting gives its styles (ButtonType) and caption states.

#include <cstdint>

namespace tesk::button {

enum Styles : std::int32_t {
  kOutlinedBevel = 1, kClassicBevel, kRoundedGradient, kRoundedPanel, kEtchedFlat, kPlainFrame,
  kThinFrame, kHoverFrame, kHighlightFill, kPictureOnly, kParentBackground, kHoverBevel,
  kElliptic, kShadedPanel,
};

// Caption states of DrawCaption.
enum CaptionStates : std::uint8_t {
  kCaptionUp = 0, kCaptionHot = 1, kCaptionDown = 2, kCaptionEngraved = 3, kCaptionGrey = 4,
  kCaptionGreyGradient = 5, kCaptionShadedDisabled = 6, kCaptionShadedDown = 7,
};

}  // namespace tesk::button
