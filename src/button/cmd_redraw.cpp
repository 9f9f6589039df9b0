// Redraw: the cmd button's face in one state, for each of its fourteen styles.

#include <cmath>

#include "button/cmd.h"
#include "button/cmd_styles.h"
#include "button/primitives.h"

namespace tesk::button {
namespace {

constexpr Rgb kGradientOutline = 0x733C00;
constexpr Rgb kGradientCorner = 0x7B4D10;
constexpr Rgb kEtchedTextFrame = 0xCC9999;

std::int32_t Nearest(float value) { return static_cast<std::int32_t>(std::nearbyint(value)); }

// The drawing vocabulary of the style tables, bound to one control's surface and palette.
class Painter {
 public:
  Painter(platform::Canvas& canvas, const Palette& palette, std::int32_t width,
          std::int32_t height, bool softBevel)
      : c(canvas), p(palette), W(width), H(height), soft(softBevel) {}

  Rgb Sh(Rgb colour, std::int32_t amount) const { return ShiftColor(colour, amount, false, soft); }
  Rgb ShP(Rgb colour, std::int32_t amount) const { return ShiftColor(colour, amount, true, soft); }
  void Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Rgb colour) {
    DrawRect(c, x, y, w, h, colour, false);
  }
  void Box(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Rgb colour) {
    DrawRect(c, x, y, w, h, colour, true);
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) {
    DrawLine(c, x1, y1, x2, y2, colour);
  }
  void Px(std::int32_t x, std::int32_t y, Rgb colour) { PutPixel(c, x, y, colour); }
  void Frame(Rgb c1, Rgb c2, Rgb c3, Rgb c4, std::int16_t inset) {
    DrawFrame3D(c, W, H, c1, c2, c3, c4, inset, false);
  }
  void Outer(Rgb c1, Rgb c2) { DrawFrame3D(c, W, H, c1, c2, 0, 0, 0, true); }
  void Oval(Rgb pen, Rgb brush) { DrawEllipse(c, 0, 0, W, H, pen, brush); }
  void Corners(Rgb colour) {
    Px(1, 1, colour);
    Px(1, H - 2, colour);
    Px(W - 2, 1, colour);
    Px(W - 2, H - 2, colour);
  }

  // G3 and G3-down: the rounded gradient, darkening away from the top (or, down, the bottom).
  void Gradient3(Rgb base, bool fromBottom) {
    const float step = 25.0f / static_cast<float>(H);
    const std::int32_t lines = H;
    for (std::int32_t i = 1; i <= lines; ++i) {
      const std::int32_t y = fromBottom ? H - i : i;
      Line(0, y, W, y, ShP(base, Nearest(-step * static_cast<float>(i))));
    }
  }
  // G14: darkening downwards from the highlight colour.
  void Gradient14() {
    const float step = 58.0f / static_cast<float>(H);
    const std::int32_t lines = H;
    for (std::int32_t i = 1; i <= lines; ++i) {
      Line(0, i, W, i, Sh(p.highlightColor, Nearest(-step * static_cast<float>(i))));
    }
  }
  void Edges3Plain() {
    const Rgb B = p.faceBrightColor;
    Line(2, H - 2, W - 2, H - 2, ShP(B, -48));
    Line(1, H - 3, W - 2, H - 3, ShP(B, -32));
    Line(W - 2, 2, W - 2, H - 2, ShP(B, -36));
    Line(W - 3, 3, W - 3, H - 3, ShP(B, -24));
    Line(2, 1, W - 2, 1, ShP(B, 16));
    Line(1, 2, W - 2, 2, ShP(B, 10));
    Line(1, 2, 1, H - 2, ShP(B, -5));
    Line(2, 3, 2, H - 3, ShP(B, -10));
  }
  // E3-focus and E3-hot share their shape: a box and five lines in six fixed colours.
  void Edges3Lit(Rgb box, Rgb bottom, Rgb top, Rgb second, Rgb sides) {
    Box(1, 2, W - 2, H - 4, box);
    Line(2, H - 2, W - 2, H - 2, bottom);
    Line(2, 1, W - 2, 1, top);
    Line(1, 2, W - 1, 2, second);
    Line(2, 3, 2, H - 3, sides);
    Line(W - 3, 3, W - 3, H - 3, sides);
  }
  void Edges3Down(Rgb base) {
    Line(2, H - 2, W - 2, H - 2, ShP(base, 16));
    Line(1, H - 3, W - 2, H - 3, ShP(base, 10));
    Line(W - 2, 2, W - 2, H - 2, ShP(base, 5));
    Line(W - 3, 3, W - 3, H - 3, p.faceBrightColor);
    Line(2, 1, W - 2, 1, ShP(base, -32));
    Line(1, 2, W - 2, 2, ShP(base, -24));
    Line(1, 2, 1, H - 2, ShP(base, -32));
    Line(2, 2, 2, H - 2, ShP(base, -22));
  }
  void Panel4() {
    const Rgb F = p.faceColor, Hi = p.highlightColor, S = p.shadowColor;
    Box(0, 0, W, H, p.darkShadowColor);
    Corners(p.darkShadowColor);
    Line(1, 2, 2, 0, F);
    Line(3, 2, W - 3, 2, Hi);
    Line(2, 2, 2, H - 3, Hi);
    Px(3, 3, Hi);
    Line(W - 3, 1, W - 3, H - 3, F);
    Line(1, H - 3, W - 3, H - 3, F);
    Px(W - 4, H - 4, F);
    Line(W - 2, 2, W - 2, H - 2, S);
    Line(2, H - 2, W - 2, H - 2, S);
    Px(W - 3, H - 3, S);
  }
  // The frame of P4-down that follows its caption.
  void PressedPanel4Frame() {
    const Rgb S = p.shadowColor, D = p.darkShadowColor;
    Box(0, 0, W, H, D);
    Box(1, 1, W - 2, H - 2, Sh(S, -64));
    Box(2, 2, W - 4, H - 4, Sh(S, -32));
    Px(2, 2, Sh(S, -64));
    Px(3, 3, Sh(S, -32));
    Corners(D);
    Line(W - 3, 1, W - 3, H - 3, S);
    Line(1, H - 3, W - 2, H - 3, S);
    Px(W - 4, H - 4, S);
    Line(W - 2, 3, W - 2, H - 2, Sh(S, -16));
    Line(3, H - 2, W - 2, H - 2, Sh(S, -16));
    Line(W - 2, H - 3, W - 4, H - 1, Sh(S, -32));
    Px(2, H - 2, Sh(S, -32));
    Px(W - 2, 2, Sh(S, -32));
  }
  // The outline and top-left bands of style 14, up and disabled.
  void ShadedPanelFrame() {
    Box(0, 0, W, H, Sh(p.shadowColor, -50));
    Box(1, 1, W - 2, H - 2, Sh(p.faceColor, -9));
    Fill(2, 2, W - 4, 2, p.highlightColor);
    Fill(2, 4, 2, H - 6, p.highlightColor);
  }

  platform::Canvas& c;
  const Palette& p;
  const std::int32_t W;
  const std::int32_t H;
  const bool soft;
};

}  // namespace

void Cmd::Redraw(std::uint8_t state, bool force) {
  if (checkBoxBehaviour_ && value_) state = kDown;
  if (!force && caption_ == lastCaption_ && state == lastState_) return;
  if (height_ == 0 || !refreshEnabled_) return;
  lastState_ = state;
  lastCaption_ = caption_;
  // While hovering, a custom-coloured button is drawn entirely from its hover background.
  const bool hoverColours = isHovering_ && colorScheme_ == kCustomColors;
  const OleColor keptBackColor = backColor_;
  if (hoverColours) {
    backColor_ = backOver_;
    SetColors();
  }
  DrawRect(host_.Surface(), 0, 0, width_, height_, palette_.faceColor, false);
  if (!enabled_) {
    DrawDisabledLook();
    DrawPicture(2);
  } else if (state == kUp) {
    DrawUpLook();
    DrawPicture(0);
  } else if (state == kDown) {
    DrawDownLook();
    DrawPicture(1);
  }
  if (hoverColours) {
    backColor_ = keptBackColor;
    SetColors();
  }
}

void Cmd::DrawUpLook() {
  if (palette_.highContrast) return DrawHighContrastLook(kUp);
  Painter d(host_.Surface(), palette_, width_, height_, softBevel_);
  const Palette& p = palette_;
  const std::uint8_t hs = isHovering_ ? kCaptionHot : kCaptionUp;
  const bool isDefault = host_.DisplayAsDefault();
  const bool def2 = showFocusRect_ && isDefault;
  const bool emph3 = (hasFocus_ || isDefault) && showFocusRect_;
  switch (buttonType_) {
    case kOutlinedBevel:
      DrawCaption(hs);
      d.Frame(p.highlightColor, p.shadowColor, p.highlightColor, p.shadowColor, -1);
      d.Box(0, 0, d.W, d.H, p.darkShadowColor);
      DrawFocusFrame();
      break;
    case kClassicBevel:
      DrawCaption(hs);
      if (def2) {
        d.Frame(p.highlightColor, p.darkShadowColor, p.lightColor, p.shadowColor, -1);
        DrawFocusFrame();
        d.Box(0, 0, d.W, d.H, p.darkShadowColor);
      } else {
        d.Frame(p.highlightColor, p.darkShadowColor, p.lightColor, p.shadowColor, 0);
      }
      break;
    case kRoundedGradient:
      d.Gradient3(p.faceBrightColor, false);
      DrawCaption(hs);
      d.Box(0, 0, d.W, d.H, kGradientOutline);
      d.Corners(kGradientCorner);
      if (isHovering_) {
        d.Edges3Lit(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
      } else if (emph3) {
        d.Edges3Lit(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
      } else {
        d.Edges3Plain();
      }
      break;
    case kRoundedPanel:
      d.Fill(1, 1, d.W - 2, d.H - 2, p.lightColor);
      DrawCaption(hs);
      d.Panel4();
      break;
    case kEtchedFlat:
      d.Fill(1, 1, d.W - 1, d.H - 1, d.Sh(p.faceColor, 12));
      DrawCaption(hs);
      d.Box(1, 1, d.W - 1, d.H - 1, p.highlightColor);
      d.Box(0, 0, d.W - 1, d.H - 1, d.Sh(p.shadowColor, -26));
      d.Px(1, d.H - 2, d.Sh(p.shadowColor, 26));
      d.Px(d.W - 2, 1, d.Sh(p.shadowColor, 26));
      DrawEtchedTextFrame();
      break;
    case kPlainFrame:
      DrawCaption(hs);
      d.Frame(d.Sh(p.lightColor, 8), p.shadowColor, d.Sh(p.lightColor, 8), p.shadowColor, 0);
      DrawFocusFrame();
      break;
    case kThinFrame:
      DrawCaption(hs);
      d.Outer(p.highlightColor, p.shadowColor);
      DrawFocusFrame();
      break;
    case kHoverFrame:
      DrawCaption(hs);
      if (isHovering_) d.Outer(p.highlightColor, p.shadowColor);
      DrawFocusFrame();
      break;
    case kHighlightFill:
      if (isHovering_) d.Fill(1, 1, d.W, d.H, p.selectionLightColor);
      DrawCaption(hs);
      if (isHovering_) d.Box(0, 0, d.W, d.H, p.selectionColor);
      DrawFocusFrame();
      break;
    case kParentBackground:
      host_.CopyBackground();
      DrawCaption(hs);
      DrawFocusFrame();
      break;
    case kHoverBevel:
      DrawCaption(hs);
      if (isHovering_) {
        d.Frame(p.highlightColor, p.darkShadowColor, p.lightColor, p.shadowColor, 0);
      }
      DrawFocusFrame();
      break;
    case kElliptic:
      d.Oval(isHovering_ ? p.shadowColor : p.faceColor, p.faceColor);
      DrawCaption(hs);
      break;
    case kShadedPanel:
      if (isHovering_) {
        d.Fill(0, 0, d.W, d.H, p.lightColor);
      } else {
        d.Gradient14();
      }
      DrawCaptionBold();
      d.ShadedPanelFrame();
      DrawFocusFrame();
      break;
    default:
      break;
  }
}

void Cmd::DrawDownLook() {
  if (palette_.highContrast) return DrawHighContrastLook(kDown);
  Painter d(host_.Surface(), palette_, width_, height_, softBevel_);
  const Palette& p = palette_;
  const bool def2 = showFocusRect_ && host_.DisplayAsDefault();
  switch (buttonType_) {
    case kOutlinedBevel:
      DrawCaption(kCaptionDown);
      d.Frame(p.shadowColor, p.highlightColor, p.shadowColor, p.highlightColor, -1);
      d.Box(0, 0, d.W, d.H, p.darkShadowColor);
      DrawFocusFrame();
      break;
    case kClassicBevel:
      DrawCaption(kCaptionDown);
      if (def2) {
        d.Box(0, 0, d.W, d.H, p.darkShadowColor);
        d.Box(1, 1, d.W - 2, d.H - 2, p.shadowColor);
        DrawFocusFrame();
      } else {
        d.Frame(p.darkShadowColor, p.highlightColor, p.shadowColor, p.lightColor, 0);
      }
      break;
    case kRoundedGradient: {
      const Rgb base = d.ShP(p.faceBrightColor, -32);
      d.Gradient3(base, true);
      DrawCaption(kCaptionDown);
      d.Box(0, 0, d.W, d.H, kGradientOutline);
      d.Corners(kGradientCorner);
      d.Edges3Down(base);
      break;
    }
    case kRoundedPanel:
      d.Fill(1, 1, d.W - 2, d.H - 2, d.Sh(p.shadowColor, -16));
      // The pressed caption's effect is based on the sunk panel, for this one draw only.
      palette_.faceBrightColor = d.Sh(p.shadowColor, -16);
      DrawCaption(kCaptionDown);
      palette_.faceBrightColor = d.Sh(p.faceColor, 48);
      d.PressedPanel4Frame();
      break;
    case kEtchedFlat:
      d.Fill(1, 1, d.W - 2, d.H - 2, d.Sh(p.shadowColor, 16));
      d.Box(0, 0, d.W - 1, d.H - 1, d.Sh(p.shadowColor, -26));
      d.Line(d.W - 1, 1, d.W - 1, d.H, p.highlightColor);
      d.Line(1, d.H - 1, d.W - 1, d.H - 1, p.highlightColor);
      d.c.DrawCaption(caption_, layout_.textRect, p.textOverColor);
      DrawEtchedTextFrame();
      break;
    case kPlainFrame:
      DrawCaption(kCaptionDown);
      d.Frame(p.shadowColor, d.Sh(p.lightColor, 8), p.shadowColor, d.Sh(p.lightColor, 8), 0);
      DrawFocusFrame();
      break;
    case kThinFrame:
    case kHoverFrame:
      DrawCaption(kCaptionDown);
      d.Outer(p.shadowColor, p.highlightColor);
      DrawFocusFrame();
      break;
    case kHighlightFill:
      if (isHovering_) {
        d.Fill(0, 0, d.W, d.H,
               colorScheme_ == kCustomColors ? d.Sh(p.selectionLightColor, -32)
                                             : BlendWhite(p.selectionColor, 128));
      }
      DrawCaption(kCaptionDown);
      d.Box(0, 0, d.W, d.H, p.selectionColor);
      DrawFocusFrame();
      break;
    case kParentBackground:
      host_.CopyBackground();
      DrawCaption(kCaptionDown);
      DrawFocusFrame();
      break;
    case kHoverBevel:
      DrawCaption(kCaptionDown);
      d.Frame(p.darkShadowColor, p.highlightColor, p.shadowColor, p.lightColor, 0);
      DrawFocusFrame();
      break;
    case kElliptic:
      d.Oval(p.darkShadowColor, d.Sh(p.faceColor, -32));
      DrawCaption(kCaptionDown);
      break;
    case kShadedPanel:
      d.Fill(1, 1, d.W, d.H, d.Sh(p.faceColor, -9));
      d.Box(0, 0, d.W, d.H, d.Sh(p.shadowColor, -48));
      d.Line(2, d.H - 2, d.W - 2, d.H - 2, p.highlightColor);
      d.Line(d.W - 2, 2, d.W - 2, d.H - 1, p.highlightColor);
      DrawCaption(kCaptionShadedDown);
      DrawFocusFrame();
      break;
    default:
      break;
  }
}

void Cmd::DrawDisabledLook() {
  if (palette_.highContrast) return DrawHighContrastLook(kUp);
  Painter d(host_.Surface(), palette_, width_, height_, softBevel_);
  const Palette& p = palette_;
  switch (buttonType_) {
    case kOutlinedBevel:
      DrawCaption(kCaptionEngraved);
      d.Frame(p.highlightColor, p.shadowColor, p.highlightColor, p.shadowColor, -1);
      d.Box(0, 0, d.W, d.H, p.darkShadowColor);
      break;
    case kClassicBevel:
      DrawCaption(kCaptionEngraved);
      d.Frame(p.highlightColor, p.darkShadowColor, p.lightColor, p.shadowColor, 0);
      break;
    case kRoundedGradient:
      d.Fill(0, 0, d.W, d.H, d.ShP(p.faceBrightColor, -24));
      DrawCaption(kCaptionGreyGradient);
      d.Box(0, 0, d.W, d.H, d.ShP(p.faceBrightColor, -84));
      d.Corners(d.ShP(p.faceBrightColor, -72));
      break;
    case kRoundedPanel:
      d.Fill(1, 1, d.W - 2, d.H - 2, p.lightColor);
      DrawCaption(kCaptionEngraved);
      d.Panel4();
      break;
    case kEtchedFlat:
      DrawCaption(kCaptionGrey);
      d.Box(0, 0, d.W, d.H, p.shadowColor);
      break;
    case kPlainFrame:
      DrawCaption(kCaptionGrey);
      d.Frame(d.Sh(p.lightColor, 8), p.shadowColor, d.Sh(p.lightColor, 8), p.shadowColor, 0);
      break;
    case kThinFrame:
      DrawCaption(kCaptionEngraved);
      d.Outer(p.highlightColor, p.shadowColor);
      break;
    case kHoverFrame:
    case kHoverBevel:
    case kElliptic:
      DrawCaption(kCaptionEngraved);
      break;
    case kHighlightFill:
      DrawCaption(kCaptionGrey);
      break;
    case kParentBackground:
      host_.CopyBackground();
      DrawCaption(kCaptionEngraved);
      break;
    case kShadedPanel:
      d.Gradient14();
      d.ShadedPanelFrame();
      DrawCaption(kCaptionShadedDisabled);
      break;
    default:
      break;
  }
}

// T5: style 5 frames its caption while focused.
void Cmd::DrawEtchedTextFrame() {
  if (!hasFocus_ || !showFocusRect_) return;
  DrawRect(host_.Surface(), layout_.textRect.left - 2, layout_.textRect.top - 1,
           layout_.textWidth + 4, layout_.textHeight + 2, kEtchedTextFrame, true);
}

// B14: the default button of style 14 shows its caption bold, for this draw only.
void Cmd::DrawCaptionBold() {
  const std::uint8_t hs = isHovering_ ? kCaptionHot : kCaptionUp;
  if (!host_.DisplayAsDefault()) {
    DrawCaption(hs);
    return;
  }
  refreshEnabled_ = false;
  const bool wasBold = FontBold();
  SetFontBold(true);
  DrawCaption(hs);
  SetFontBold(wasBold);
  refreshEnabled_ = true;
}

void Cmd::DrawCaption(std::uint8_t state) {
  lastCaptionState_ = state;
  if (palette_.highContrast) return DrawHighContrastCaption(state);
  platform::Canvas& canvas = host_.Surface();
  const Palette& p = palette_;
  const Rect& up = layout_.textRect;
  const Rect& down = layout_.pressedTextRect;
  switch (state) {
    case kCaptionUp:
    case kCaptionHot:
      DrawCaptionEffect(up);
      canvas.DrawCaption(caption_, up, state == kCaptionHot ? p.textOverColor : p.textColor);
      break;
    case kCaptionDown:
      DrawCaptionEffect(down);
      canvas.DrawCaption(caption_, down,
                         buttonType_ == kRoundedPanel ? p.lightColor : p.textOverColor);
      break;
    case kCaptionEngraved:
      canvas.DrawCaption(caption_, down, p.highlightColor);
      canvas.DrawCaption(caption_, up, p.shadowColor);
      break;
    case kCaptionGrey:
      canvas.DrawCaption(caption_, up, p.shadowColor);
      break;
    case kCaptionGreyGradient:
      canvas.DrawCaption(caption_, up,
                         ShiftColor(p.faceBrightColor, -104, true, softBevel_));
      break;
    case kCaptionShadedDisabled:
      canvas.DrawCaption(caption_, down, p.highlightColor);
      canvas.DrawCaption(caption_, up, p.faceColor);
      break;
    case kCaptionShadedDown:
      canvas.DrawCaption(caption_, down, ShiftColor(p.shadowColor, -50, false, softBevel_));
      canvas.DrawCaption(caption_, up, p.highlightColor);
      break;
    default:
      break;
  }
}

void Cmd::DrawCaptionEffect(const Rect& rect) {
  if (specialEffect_ == 0) return;
  const Palette& p = palette_;
  Rgb base = p.faceColor;
  if (buttonType_ == kRoundedGradient || buttonType_ == kRoundedPanel ||
      buttonType_ == kShadedPanel) {
    base = p.faceBrightColor;
  } else if (lastState_ == kUp && isHovering_ && colorScheme_ != kCustomColors &&
             buttonType_ == kHighlightFill) {
    base = p.selectionLightColor;
  }
  const bool sunken = specialEffect_ == 2;
  platform::Canvas& canvas = host_.Surface();
  canvas.DrawCaption(caption_, rect.Offset(1, 1), ShiftColor(base, sunken ? 40 : -40, false, softBevel_));
  if (specialEffect_ < 3) {
    canvas.DrawCaption(caption_, rect.Offset(-1, -1),
                       ShiftColor(base, sunken ? -40 : 40, false, softBevel_));
  }
}

void Cmd::DrawFocusFrame() {
  if (showFocusRect_ && hasFocus_) host_.Surface().DrawFocusFrame(focusRect_, palette_.textColor);
}

void Cmd::DrawPicture(std::uint8_t pictureState) {
  if (!pictureNormal_) return;
  const Palette& p = palette_;
  const std::int32_t x = layout_.pictureRect.left;
  const std::int32_t y = layout_.pictureRect.top;
  CompositeMode plain;
  const auto silhouette = [](Rgb colour, bool darkOnly) {
    CompositeMode mode;
    mode.brush = colour;
    mode.darkOnly = darkOnly;
    return mode;
  };
  if (pictureState == 0) {
    if (isHovering_ && buttonType_ == kHighlightFill) {
      DrawPictureEffect(-1, pictureNormal_);
      BlitPicture(pictureNormal_, x + 1, y + 1, silhouette(p.shadowColor, false));
      BlitPicture(pictureNormal_, x - 1, y - 1, plain);
    } else if (isHovering_) {
      const PicturePtr& shown = pictureOver_ ? pictureOver_ : pictureNormal_;
      DrawPictureEffect(0, shown);
      BlitPicture(shown, x, y, plain);
    } else {
      CompositeMode normal;
      normal.greyscale = useGreyscale_;
      normal.blend = buttonType_ == kHighlightFill;
      DrawPictureEffect(0, pictureNormal_);
      BlitPicture(pictureNormal_, x, y, normal);
    }
  } else if (pictureState == 1) {
    if (pictureOver_ && buttonType_ != kHighlightFill) {
      const std::int32_t d = buttonType_ == kEtchedFlat ? 0 : 1;
      BlitPicture(pictureOver_, x + d, y + d, plain);
    } else if (buttonType_ != kEtchedFlat && buttonType_ != kHighlightFill) {
      DrawPictureEffect(1, pictureNormal_);
      BlitPicture(pictureNormal_, x + 1, y + 1, plain);
    } else {
      DrawPictureEffect(0, pictureNormal_);
      BlitPicture(pictureNormal_, x, y, plain);
    }
  } else if (p.highContrast) {
    BlitPicture(pictureNormal_, x, y, silhouette(p.greyTextColor, true));
  } else if (buttonType_ == kRoundedGradient) {
    CompositeMode grey;
    grey.greyscale = true;
    BlitPicture(pictureNormal_, x + 1, y + 1, grey);
  } else if (buttonType_ == kEtchedFlat || buttonType_ == kPlainFrame ||
             buttonType_ == kHighlightFill) {
    const Rgb colour = buttonType_ == kHighlightFill
                           ? ShiftColor(p.shadowColor, 13, false, softBevel_)
                           : p.shadowColor;
    BlitPicture(pictureNormal_, x, y, silhouette(colour, true));
  } else {
    BlitPicture(pictureNormal_, x + 1, y + 1, silhouette(p.highlightColor, true));
    BlitPicture(pictureNormal_, x, y, silhouette(p.shadowColor, true));
  }
  if (picturePosition_ == kBehind) DrawCaption(lastCaptionState_);
}

void Cmd::DrawPictureEffect(std::int32_t offset, const PicturePtr& picture) {
  // Relief is drawn in shades, which a high-contrast theme does not have.
  if (specialEffect_ == 0 || palette_.highContrast) return;
  const Palette& p = palette_;
  Rgb base = p.selectionLightColor;
  if (buttonType_ == kRoundedGradient) {
    base = p.faceBrightColor;
  } else if (offset != -1 || colorScheme_ == kCustomColors) {
    base = p.faceColor;
  }
  const bool sunken = specialEffect_ == 2;
  const std::int32_t x = layout_.pictureRect.left;
  const std::int32_t y = layout_.pictureRect.top;
  CompositeMode below;
  below.brush = ShiftColor(base, sunken ? 40 : -40, false, softBevel_);
  BlitPicture(picture, x + 1 + offset, y + 1 + offset, below);
  if (specialEffect_ == 3) return;
  CompositeMode above;
  above.brush = ShiftColor(base, sunken ? -40 : 40, false, softBevel_);
  BlitPicture(picture, x - 1 + offset, y - 1 + offset, above);
}

// BlitPicture at the picture's laid-out size (PW x PH), mask colour transparent when masking.
void Cmd::BlitPicture(const PicturePtr& picture, std::int32_t x, std::int32_t y,
                      const CompositeMode& mode) {
  const std::int32_t w = layout_.pictureRect.Width();
  const std::int32_t h = layout_.pictureRect.Height();
  if (!picture || w <= 0 || h <= 0) return;
  platform::Canvas& canvas = host_.Surface();
  const Rect area{x, y, x + w, y + h};
  CompositeMode withMask = mode;
  if (useMaskColor_) withMask.transparent = palette_.maskColorRgb;
  std::vector<Rgb> target = canvas.ReadPixels(area);
  const std::vector<Rgb> source = picture->Pixels(w, h, palette_.maskColorRgb);
  NearestColor nearest;
  if (!canvas.IsTrueColor()) nearest = [&canvas](Rgb colour) { return canvas.NearestColor(colour); };
  CompositePixels(target, source, withMask, nearest);
  canvas.WritePixels(area, target);
}

}  // namespace tesk::button
