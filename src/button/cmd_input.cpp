// The cmd button's mouse, keyboard, focus and hover handling, and the events it raises.

#include "button/cmd.h"

namespace tesk::button {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kLeftArrow = 37;
constexpr std::int16_t kUpArrow = 38;
constexpr std::int16_t kRightArrow = 39;
constexpr std::int16_t kDownArrow = 40;

// Button and KeyCode are kept in a byte; the container may have left anything in them.
std::uint8_t AsByte(std::int16_t value) {
  if (value < 0 || value > 255) throw ConversionError("Overflow");
  return static_cast<std::uint8_t>(value);
}

}  // namespace

void Cmd::OnClick() {
  if (lastMouseButton_ != kLeftButton || !enabled_) return;
  if (checkBoxBehaviour_) value_ = !value_;
  Redraw(kUp, true);
  host_.ShowNow();
  events_->Click();
}

void Cmd::OnAccessKeyPress() {
  lastMouseButton_ = kLeftButton;
  OnClick();
}

void Cmd::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  events_->MouseDown(button, shift, x, y);
  lastMouseButton_ = AsByte(button);
  if (button != kRightButton) Redraw(kDown, false);
}

// A double click stands in for the second press of the pair: one click in all.
void Cmd::OnDblClick() {
  if (lastMouseButton_ != kLeftButton) return;
  OnMouseDown(kLeftButton, 0, 0.0f, 0.0f);
  host_.CaptureMouse();
}

void Cmd::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  events_->MouseMove(button, shift, x, y);
  if (button >= kRightButton) return;
  if (!host_.IsMouseOver()) {
    Redraw(kUp, false);  // a held button dragged off shows the up face
  } else if (button == 0 && !isHovering_) {
    host_.SetHoverTimer(true);
    isHovering_ = true;
    Redraw(kUp, true);
    events_->MouseOver();
  } else if (button == kLeftButton) {
    // The down face in its hover colours; while the button is held the control is not hovered.
    isHovering_ = true;
    Redraw(kDown, false);
    isHovering_ = false;
  }
}

void Cmd::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  events_->MouseUp(button, shift, x, y);
  if (button != kRightButton) Redraw(kUp, false);
}

void Cmd::OnHoverTimer() {
  if (host_.IsMouseOver()) return;
  host_.SetHoverTimer(false);
  isHovering_ = false;
  Redraw(kUp, true);
  events_->MouseOut();
}

void Cmd::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
  events_->KeyDown(keyCode, shift);
  lastKeyCode_ = AsByte(keyCode);
  if (keyCode == kSpace) {
    Redraw(kDown, false);
  } else if (keyCode == kLeftArrow || keyCode == kUpArrow) {
    host_.MoveFocus(false);
  } else if (keyCode == kRightArrow || keyCode == kDownArrow) {
    host_.MoveFocus(true);
  }
}

void Cmd::OnKeyPress(std::int16_t keyAscii) { events_->KeyPress(keyAscii); }

void Cmd::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
  events_->KeyUp(keyCode, shift);
  if (lastKeyCode_ != kSpace || keyCode != kSpace) return;
  if (checkBoxBehaviour_) value_ = !value_;
  Redraw(kUp, false);
  host_.ShowNow();
  events_->Click();
}

void Cmd::OnGotFocus() {
  hasFocus_ = true;
  Redraw(lastState_, true);
}

void Cmd::OnLostFocus() {
  hasFocus_ = false;
  Redraw(lastState_, true);
}

}  // namespace tesk::button
