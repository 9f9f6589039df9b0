#include "button/cmd.h"

#include <cmath>

#include "button/access_key.h"

namespace tesk::button {
namespace {

constexpr std::int32_t kDefaultStyle = 2;
constexpr std::int32_t kEtchedFlat = 5;
constexpr std::int32_t kParentBackground = 11;
constexpr std::int32_t kShadedPanel = 14;
constexpr OleColor kDefaultMask = 0xC0C0C0;
constexpr std::int16_t kArrowPointer = 1;
constexpr std::int16_t kCustomPointer = 99;

// The focus frame lies inside the client rectangle, by style.
Rect FocusRectOf(const Rect& client, std::int32_t style) {
  if (style >= 7 && style <= 13) return client.Inset(3);
  if (style == kShadedPanel) return client.Inset(5).Offset(1, 1);
  return client.Inset(4);
}

OleColor Plain(Rgb colour) { return static_cast<OleColor>(colour); }

}  // namespace

Cmd::Cmd(ControlHost& host) : host_(host) {}

// --- Life cycle -------------------------------------------------------------------------

void Cmd::Initialize() { refreshEnabled_ = true; }

void Cmd::InitProperties() {
  enabled_ = showFocusRect_ = useMaskColor_ = true;
  caption_ = host_.DisplayName();
  host_.SetSurfaceFont(host_.AmbientFont());
  buttonType_ = kDefaultStyle;
  colorScheme_ = kSystemColors;
  SetColors();
  backColor_ = backOver_ = Plain(palette_.faceColor);
  maskColor_ = kDefaultMask;
  foreColor_ = foreOver_ = Plain(palette_.textColor);
  CalcTextRects();
}

void Cmd::ReadProperties(const PropertyBag& bag) {
  const auto color = [&bag](const char* key, PropertyValue fallback) {
    return static_cast<OleColor>(ToLong(bag.Read(key, std::move(fallback))));
  };
  buttonType_ = ToLong(bag.Read("BTYPE", std::int32_t{kDefaultStyle}));
  caption_ = ToText(bag.Read("TX", std::string()));
  enabled_ = ToBoolean(bag.Read("ENAB", true));
  host_.SetSurfaceFont(ToFont(bag.Read("FONT", host_.SurfaceFont())));
  colorScheme_ = ToLong(bag.Read("COLTYPE", std::int32_t{kSystemColors}));
  showFocusRect_ = ToBoolean(bag.Read("FOCUSR", true));
  backColor_ = color("BCOL", host_.SystemColor(kButtonFace));
  backOver_ = color("BCOLO", static_cast<std::int32_t>(backColor_));
  foreColor_ = color("FCOL", host_.SystemColor(kButtonText));
  foreOver_ = color("FCOLO", static_cast<std::int32_t>(foreColor_));
  maskColor_ = color("MCOL", static_cast<std::int32_t>(kDefaultMask));
  host_.SetMousePointer(ToInteger(bag.Read("MPTR", std::int16_t{0})));
  host_.SetMouseIcon(ToPicture(bag.Read("MICON", PicturePtr())));
  pictureNormal_ = ToPicture(bag.Read("PICN", PicturePtr()));
  pictureOver_ = ToPicture(bag.Read("PICH", PicturePtr()));
  useMaskColor_ = ToBoolean(bag.Read("UMCOL", true));
  softBevel_ = ToBoolean(bag.Read("SOFT", false));
  picturePosition_ = ToLong(bag.Read("PICPOS", std::int32_t{0}));
  useGreyscale_ = ToBoolean(bag.Read("NGREY", false));
  specialEffect_ = ToLong(bag.Read("FX", std::int32_t{0}));
  SetHandPointer(ToBoolean(bag.Read("HAND", false)));
  checkBoxBehaviour_ = ToBoolean(bag.Read("CHECK", false));
  value_ = ToBoolean(bag.Read("VALUE", false));
  host_.SetEnabled(enabled_);
  PictureSize();
  CalcTextRects();
  UpdateAccessKey();
}

void Cmd::WriteProperties(PropertyBag& bag) {
  const auto color = [](OleColor colour) { return static_cast<std::int32_t>(colour); };
  bag.Write("BTYPE", buttonType_);
  bag.Write("TX", caption_);
  bag.Write("ENAB", enabled_);
  bag.Write("FONT", host_.SurfaceFont());
  bag.Write("COLTYPE", colorScheme_);
  bag.Write("FOCUSR", showFocusRect_);
  bag.Write("BCOL", color(backColor_));
  bag.Write("BCOLO", color(backOver_));
  bag.Write("FCOL", color(foreColor_));
  bag.Write("FCOLO", color(foreOver_));
  bag.Write("MCOL", color(maskColor_));
  bag.Write("MPTR", host_.MousePointer());
  bag.Write("MICON", host_.MouseIcon());
  bag.Write("PICN", pictureNormal_);
  bag.Write("PICH", pictureOver_);
  bag.Write("UMCOL", useMaskColor_);
  bag.Write("SOFT", softBevel_);
  bag.Write("PICPOS", picturePosition_);
  bag.Write("NGREY", useGreyscale_);
  bag.Write("FX", specialEffect_);
  bag.Write("HAND", handPointer_);
  bag.Write("CHECK", checkBoxBehaviour_);
  bag.Write("VALUE", value_);
}

void Cmd::Show() {
  if (buttonType_ == kParentBackground) {
    host_.CreateBackgroundSurface(width_, height_);
    CaptureBackground();
  }
  refreshEnabled_ = true;
  SetColors();
  Redraw(kUp, true);
}

void Cmd::Resize() {
  if (capturingBackground_) return;
  const Rect client = host_.ClientRect();
  height_ = client.bottom;
  width_ = client.right;
  focusRect_ = FocusRectOf(client, buttonType_);
  CalcTextRects();
  host_.SetWindowShape(MakeRegion(buttonType_, width_, height_));
  if (height_ != 0) Redraw(kUp, true);
}

// The picture takes its size at the new DPI before the caption is laid out around it.
void Cmd::DpiChanged() {
  PictureSize();
  Resize();
}

void Cmd::AmbientChanged() {
  SetColors();
  Redraw(lastState_, true);
}

void Cmd::Hide() { refreshEnabled_ = false; }

void Cmd::Terminate() {
  refreshEnabled_ = false;
  host_.ReleaseBackgroundSurface();
}

void Cmd::DisableRefresh() { refreshEnabled_ = false; }

void Cmd::Refresh() {
  if (buttonType_ == kParentBackground) CaptureBackground();
  SetColors();
  CalcTextRects();
  refreshEnabled_ = true;
  Redraw(lastState_, true);
}

// --- Properties -------------------------------------------------------------------------

void Cmd::SetBackColor(OleColor colour) {
  backColor_ = colour;
  if (!host_.UserMode()) backOver_ = colour;
  Recolour("BCOL");
}

void Cmd::SetBackOver(OleColor colour) {
  backOver_ = colour;
  Recolour("BCOLO");
}

void Cmd::SetForeColor(OleColor colour) {
  foreColor_ = colour;
  if (!host_.UserMode()) foreOver_ = colour;
  Recolour("FCOL");
}

void Cmd::SetForeOver(OleColor colour) {
  foreOver_ = colour;
  Recolour("FCOLO");
}

void Cmd::SetMaskColor(OleColor colour) {
  maskColor_ = colour;
  Recolour("MCOL");
}

void Cmd::SetButtonType(std::int32_t type) {
  buttonType_ = type;
  if (type == kEtchedFlat && !host_.UserMode()) {
    FontDescription font = host_.SurfaceFont();
    font.weight = 700;
    host_.SetSurfaceFont(font);
  } else if (type == kParentBackground && refreshEnabled_) {
    CaptureBackground();
  }
  Resize();
  host_.PropertyChanged("BTYPE");
}

void Cmd::SetCaption(const std::string& caption) {
  caption_ = caption;
  UpdateAccessKey();
  CalcTextRects();
  Redraw(kUp, true);
  host_.PropertyChanged("TX");
}

void Cmd::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Redraw(kUp, true);
  host_.SetEnabled(enabled);
  host_.PropertyChanged("ENAB");
}

FontDescription Cmd::Font() const { return host_.SurfaceFont(); }

void Cmd::SetFont(const FontDescription& font) {
  host_.SetSurfaceFont(font);
  CalcTextRects();
  Redraw(kUp, true);
  host_.PropertyChanged("FONT");
}

void Cmd::SetFontAttribute(void (*change)(FontDescription&, bool), bool on) {
  FontDescription font = host_.SurfaceFont();
  change(font, on);
  host_.SetSurfaceFont(font);
  CalcTextRects();
  Redraw(kUp, true);
}

void Cmd::SetFontBold(bool bold) {
  SetFontAttribute([](FontDescription& f, bool on) { f.weight = on ? 700 : 400; }, bold);
}

void Cmd::SetFontItalic(bool italic) {
  SetFontAttribute([](FontDescription& f, bool on) { f.italic = on; }, italic);
}

void Cmd::SetFontUnderline(bool underline) {
  SetFontAttribute([](FontDescription& f, bool on) { f.underline = on; }, underline);
}

std::int16_t Cmd::FontSize() const {
  return static_cast<std::int16_t>(std::nearbyint(host_.SurfaceFont().size));
}

void Cmd::SetFontSize(std::int16_t size) {
  FontDescription font = host_.SurfaceFont();
  font.size = size;
  host_.SetSurfaceFont(font);
  CalcTextRects();
  Redraw(kUp, true);
}

void Cmd::SetFontName(const std::string& name) {
  FontDescription font = host_.SurfaceFont();
  font.name = name;
  host_.SetSurfaceFont(font);
  CalcTextRects();
  Redraw(kUp, true);
}

void Cmd::SetColorScheme(std::int32_t scheme) {
  colorScheme_ = scheme;
  SetColors();
  Redraw(kUp, true);
  host_.PropertyChanged("COLTYPE");
}

void Cmd::SetShowFocusRect(bool show) {
  showFocusRect_ = show;
  Redraw(lastState_, true);
  host_.PropertyChanged("FOCUSR");
}

std::int32_t Cmd::MousePointer() const { return host_.MousePointer(); }

void Cmd::SetMousePointer(std::int32_t pointer) {
  host_.SetMousePointer(ToInteger(pointer));
  host_.PropertyChanged("MPTR");
}

PicturePtr Cmd::MouseIcon() const { return host_.MouseIcon(); }

void Cmd::SetMouseIcon(PicturePtr icon) {
  try {
    host_.SetMouseIcon(std::move(icon));
  } catch (const std::exception&) {
    // A picture that cannot be a pointer leaves the pointer as it was.
  }
  host_.PropertyChanged("MICON");
}

void Cmd::SetHandPointer(bool hand) {
  handPointer_ = hand;
  host_.SetMouseIcon(hand ? host_.HandCursor() : nullptr);
  host_.SetMousePointer(hand ? kCustomPointer : kArrowPointer);
  host_.PropertyChanged("HAND");
}

std::int32_t Cmd::Hwnd() const { return host_.WindowHandle(); }

void Cmd::SetSoftBevel(bool soft) {
  softBevel_ = soft;
  Recolour("SOFT");
}

void Cmd::SetPictureNormal(PicturePtr picture) {
  pictureNormal_ = std::move(picture);
  PictureSize();
  CalcTextRects();
  Redraw(lastState_, true);
  host_.PropertyChanged("PICN");
}

void Cmd::SetPictureOver(PicturePtr picture) {
  pictureOver_ = std::move(picture);
  if (isHovering_) Redraw(lastState_, true);
  host_.PropertyChanged("PICO");
}

void Cmd::SetPicturePosition(std::int32_t position) {
  picturePosition_ = position;
  host_.PropertyChanged("PICPOS");
  CalcTextRects();
  Redraw(lastState_, true);
}

void Cmd::SetUseMaskColor(bool use) {
  useMaskColor_ = use;
  if (pictureNormal_) Redraw(lastState_, true);
  host_.PropertyChanged("UMCOL");
}

void Cmd::SetUseGreyscale(bool use) {
  useGreyscale_ = use;
  if (pictureNormal_) Redraw(lastState_, true);
  host_.PropertyChanged("NGREY");
}

void Cmd::SetSpecialEffect(std::int32_t effect) {
  specialEffect_ = effect;
  Redraw(lastState_, true);
  host_.PropertyChanged("FX");
}

void Cmd::SetCheckBoxBehaviour(bool check) {
  checkBoxBehaviour_ = check;
  Redraw(lastState_, true);
  host_.PropertyChanged("CHECK");
}

void Cmd::SetValue(bool value) {
  value_ = value;
  if (checkBoxBehaviour_) Redraw(kUp, true);
  host_.PropertyChanged("VALUE");
}

// --- Internal operations ------------------------------------------------------------------

// The tail of every setter of a colour setting: new palette, repaint, change notice.
void Cmd::Recolour(const char* key) {
  SetColors();
  Redraw(lastState_, true);
  host_.PropertyChanged(key);
}

void Cmd::SetColors() {
  PaletteSettings settings;
  settings.colorScheme = colorScheme_;
  settings.buttonType = buttonType_;
  settings.softBevel = softBevel_;
  settings.backColor = backColor_;
  settings.backOver = backOver_;
  settings.foreColor = foreColor_;
  settings.foreOver = foreOver_;
  settings.maskColor = maskColor_;
  settings.highContrast = host_.HighContrast();
  palette_ = ComputePalette(settings, host_);
}

void Cmd::CalcTextRects() {
  // The caption is measured on the surface, in the surface font.
  class SurfaceText final : public TextMeasurer {
   public:
    explicit SurfaceText(platform::Canvas& surface) : surface_(surface) {}
    Rect MeasureWrapped(const std::string& text, const Rect& bounds) override {
      return surface_.MeasureWrapped(text, bounds);
    }

   private:
    platform::Canvas& surface_;
  } text(host_.Surface());
  const LayoutInput input{width_,           height_,        caption_,
                          picturePosition_, pictureNormal_ != nullptr,
                          pictureOver_ != nullptr};
  button::CalcTextRects(input, text, layout_);
}

void Cmd::PictureSize() {
  const Point size = PictureSizeInPixels(pictureNormal_.get(), host_.PixelsPerInch());
  Rect& picture = layout_.pictureRect;
  picture.right = picture.left + size.x;
  picture.bottom = picture.top + size.y;
}

void Cmd::UpdateAccessKey() { accessKeys_ = AccessKeyOf(caption_); }

// The host collapses the control while it copies the container's pixels; the resize notices
// that causes are not the control's to act on.
void Cmd::CaptureBackground() {
  capturingBackground_ = true;
  host_.CaptureBackground();
  capturingBackground_ = false;
}

}  // namespace tesk::button
