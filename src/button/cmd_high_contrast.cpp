// The cmd button in a high-contrast theme. A style's own look is made of shades and fixed
// colours that the theme does not have, and that may leave the caption unreadable on the
// theme's face; so every style draws the look the system gives its own buttons there, from the
// theme's palette alone (ComputePalette): the caption in button text on the button face inside
// a one-pixel frame in button text, two pixels wide on the default button. While the pointer
// is over the button the frame is in the highlight colour; pressed, the face is the highlight
// and the caption the highlight text; disabled, caption and frame are in grey text. The dotted
// focus frame shows in every style. What stays of a style is its shape: its window region
// (styles 3 and 4 close their cut corners with a pixel, as their own looks do), style 13's
// ellipse, style 10 without a caption, style 11 on the container's pixels, and the frameless
// rest of styles 8 to 12, whose frame shows only while the pointer is over them or pressed.

#include "button/cmd.h"
#include "button/cmd_styles.h"
#include "button/primitives.h"

namespace tesk::button {

void Cmd::DrawHighContrastLook(std::uint8_t state) {
  const Palette& p = palette_;
  const bool pressed = enabled_ && state == kDown;
  const bool hot = enabled_ && isHovering_ && !pressed;
  const Rgb frame = !enabled_ ? p.greyTextColor : hot ? p.selectionColor : p.textColor;
  const Rgb face = pressed ? p.selectionColor : p.faceColor;
  const bool frameless = buttonType_ >= kHoverFrame && buttonType_ <= kHoverBevel;
  if (buttonType_ == kElliptic) {
    DrawEllipse(host_.Surface(), 0, 0, width_, height_, frame, face);
  } else {
    if (pressed) {
      DrawRect(host_.Surface(), 0, 0, width_, height_, face, false);
    } else if (buttonType_ == kParentBackground) {
      host_.CopyBackground();
    }
    if (!frameless || hot || pressed) DrawHighContrastFrame(frame);
  }
  if (buttonType_ != kPictureOnly) {
    DrawCaption(pressed ? kCaptionDown : !enabled_ ? kCaptionGrey : hot ? kCaptionHot : kCaptionUp);
  }
  if (enabled_) DrawFocusFrame();
}

void Cmd::DrawHighContrastFrame(Rgb colour) {
  platform::Canvas& canvas = host_.Surface();
  DrawRect(canvas, 0, 0, width_, height_, colour, true);
  if (showFocusRect_ && host_.DisplayAsDefault()) {
    DrawRect(canvas, 1, 1, width_ - 2, height_ - 2, colour, true);
  }
  if (buttonType_ == kRoundedGradient || buttonType_ == kRoundedPanel) {
    for (const Point corner : {Point{1, 1}, Point{1, height_ - 2}, Point{width_ - 2, 1},
                               Point{width_ - 2, height_ - 2}}) {
      PutPixel(canvas, corner.x, corner.y, colour);
    }
  }
}

// The look above asks for the caption up, hot, down or grey only.
void Cmd::DrawHighContrastCaption(std::uint8_t state) {
  const Palette& p = palette_;
  const bool down = state == kCaptionDown;
  const Rgb colour = down                     ? p.selectionTextColor
                     : state == kCaptionGrey ? p.greyTextColor
                                             : p.textColor;
  host_.Surface().DrawCaption(caption_, down ? layout_.pressedTextRect : layout_.textRect, colour);
}

}  // namespace tesk::button
