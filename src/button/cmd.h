#pragma once
// cmd, the library's owner-drawn push button: fourteen visual styles, four colour schemes, an
// optional picture, check-button mode, and its settings saved in the host's property bag.
// This class holds the control's state and its properties, persistence and life cycle; its
// painting is Redraw (cmd_redraw.cpp).

#include <cstdint>
#include <string>

#include "button/compositor.h"
#include "button/cmd_events.h"
#include "button/control_host.h"
#include "button/layout.h"
#include "button/palette.h"
#include "button/property_bag.h"

namespace tesk::button {

// The face states Redraw paints.
enum FaceState : std::uint8_t { kUp = 0, kDown = 2 };

class Cmd {
 public:
  explicit Cmd(ControlHost& host);

  // Life cycle notices from the host.
  void Initialize();
  void InitProperties();
  // Throws ConversionError at the first value that cannot be converted; later keys are not read.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag);
  void Show();
  void Resize();
  // The host's pixels per inch changed, and its surface font with them.
  void DpiChanged();
  void AmbientChanged();
  void Hide();
  void Terminate();

  // Public methods.
  void DisableRefresh();
  void Refresh();
  static const char* Version() { return "2.0.6 B"; }

  // Properties.
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor colour);
  OleColor BackOver() const { return backOver_; }
  void SetBackOver(OleColor colour);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor colour);
  OleColor ForeOver() const { return foreOver_; }
  void SetForeOver(OleColor colour);
  OleColor MaskColor() const { return maskColor_; }
  void SetMaskColor(OleColor colour);
  std::int32_t ButtonType() const { return buttonType_; }
  void SetButtonType(std::int32_t type);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  FontDescription Font() const;
  void SetFont(const FontDescription& font);
  bool FontBold() const { return Font().Bold(); }
  void SetFontBold(bool bold);
  bool FontItalic() const { return Font().italic; }
  void SetFontItalic(bool italic);
  bool FontUnderline() const { return Font().underline; }
  void SetFontUnderline(bool underline);
  std::int16_t FontSize() const;
  void SetFontSize(std::int16_t size);
  std::string FontName() const { return Font().name; }
  void SetFontName(const std::string& name);
  std::int32_t ColorScheme() const { return colorScheme_; }
  void SetColorScheme(std::int32_t scheme);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool show);
  std::int32_t MousePointer() const;
  // A value outside -32768..32767 throws ConversionError and changes nothing.
  void SetMousePointer(std::int32_t pointer);
  PicturePtr MouseIcon() const;
  void SetMouseIcon(PicturePtr icon);
  bool HandPointer() const { return handPointer_; }
  void SetHandPointer(bool hand);
  std::int32_t Hwnd() const;
  bool SoftBevel() const { return softBevel_; }
  void SetSoftBevel(bool soft);
  const PicturePtr& PictureNormal() const { return pictureNormal_; }
  void SetPictureNormal(PicturePtr picture);
  const PicturePtr& PictureOver() const { return pictureOver_; }
  void SetPictureOver(PicturePtr picture);
  std::int32_t PicturePosition() const { return picturePosition_; }
  void SetPicturePosition(std::int32_t position);
  bool UseMaskColor() const { return useMaskColor_; }
  void SetUseMaskColor(bool use);
  bool UseGreyscale() const { return useGreyscale_; }
  void SetUseGreyscale(bool use);
  std::int32_t SpecialEffect() const { return specialEffect_; }
  void SetSpecialEffect(std::int32_t effect);
  bool CheckBoxBehaviour() const { return checkBoxBehaviour_; }
  void SetCheckBoxBehaviour(bool check);
  bool Value() const { return value_; }
  void SetValue(bool value);

  // State the input handling, the painting and the tests look at.
  const Palette& Colors() const { return palette_; }
  const CaptionLayout& Layout() const { return layout_; }
  const Rect& FocusRect() const { return focusRect_; }
  const std::string& AccessKeys() const { return accessKeys_; }
  std::uint8_t LastState() const { return lastState_; }
  std::uint8_t LastCaptionState() const { return lastCaptionState_; }
  bool RefreshEnabled() const { return refreshEnabled_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool IsHovering() const { return isHovering_; }
  void SetHovering(bool hovering) { isHovering_ = hovering; }
  bool HasFocus() const { return hasFocus_; }
  void SetFocus(bool focus) { hasFocus_ = focus; }

  // Paints the face in `state`; without `force` nothing happens when state and caption are the
  // ones already on screen.
  void Redraw(std::uint8_t state, bool force);

  // Input notices from the host (cmd_input.cpp). A Button or KeyCode outside 0..255 left by
  // the container's handler throws ConversionError before the control changes anything more.
  void SetEvents(CmdEvents* events) { events_ = events ? events : &noEvents_; }
  void OnClick();
  void OnAccessKeyPress();
  void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void OnDblClick();
  void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void OnHoverTimer();
  void OnKeyDown(std::int16_t keyCode, std::int16_t shift);
  void OnKeyPress(std::int16_t keyAscii);
  void OnKeyUp(std::int16_t keyCode, std::int16_t shift);
  void OnGotFocus();
  void OnLostFocus();

 private:
  void SetColors();
  void Recolour(const char* key);
  void CalcTextRects();
  void PictureSize();
  void UpdateAccessKey();
  void CaptureBackground();
  void SetFontAttribute(void (*change)(FontDescription&, bool), bool on);

  // Painting (cmd_redraw.cpp).
  void DrawUpLook();
  void DrawDownLook();
  void DrawDisabledLook();
  void DrawCaption(std::uint8_t state);
  void DrawFocusFrame();
  void DrawPicture(std::uint8_t pictureState);
  void BlitPicture(const PicturePtr& picture, std::int32_t x, std::int32_t y,
                   const CompositeMode& mode);
  void DrawPictureEffect(std::int32_t offset, const PicturePtr& picture);
  void DrawCaptionEffect(const Rect& rect);
  void DrawCaptionBold();
  void DrawEtchedTextFrame();
  // The look of every style in a high-contrast theme (cmd_high_contrast.cpp).
  void DrawHighContrastLook(std::uint8_t state);
  void DrawHighContrastFrame(Rgb colour);
  void DrawHighContrastCaption(std::uint8_t state);

  ControlHost& host_;
  CmdEvents noEvents_;
  CmdEvents* events_ = &noEvents_;

  std::int32_t buttonType_ = 0;
  std::int32_t colorScheme_ = 0;
  std::int32_t picturePosition_ = 0;
  std::int32_t specialEffect_ = 0;
  OleColor backColor_ = 0;
  OleColor backOver_ = 0;
  OleColor foreColor_ = 0;
  OleColor foreOver_ = 0;
  OleColor maskColor_ = 0;
  bool useMaskColor_ = false;
  bool useGreyscale_ = false;
  bool handPointer_ = false;
  PicturePtr pictureNormal_;
  PicturePtr pictureOver_;
  std::string caption_;
  bool enabled_ = false;
  bool softBevel_ = false;
  bool showFocusRect_ = false;
  bool checkBoxBehaviour_ = false;
  bool value_ = false;

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  Palette palette_;
  CaptionLayout layout_;
  Rect focusRect_;
  std::string accessKeys_;
  std::uint8_t lastState_ = kUp;
  std::uint8_t lastCaptionState_ = 0;
  std::string lastCaption_;
  std::uint8_t lastMouseButton_ = 0;
  std::uint8_t lastKeyCode_ = 0;
  bool isHovering_ = false;
  bool hasFocus_ = false;
  bool refreshEnabled_ = false;
  bool capturingBackground_ = false;
};

}  // namespace tesk::button
