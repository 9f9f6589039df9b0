// The cmd button in a high-contrast theme: every style, in every colour scheme and look, draws
// with the theme's colours alone, its caption in the colour the theme pairs with the face
// under it, its frame where and in the colour the high-contrast look puts it.

#include <gtest/gtest.h>

#include <set>

#include "button/cmd.h"
#include "doubles/raster_host.h"
#include "platform/raster/memory_picture.h"

namespace tesk::button {
namespace {

// A theme no classic colour is part of; every other system colour is a stranger.
constexpr Rgb kFace = 0x00FF00, kText = 0xFF00FF, kHighlight = 0xFF0000, kHighlightText = 0xFFFF00,
              kGrey = 0x008080, kStranger = 0x123456;

class ThemeHost final : public test::RasterHost {
 public:
  using RasterHost::RasterHost;
  bool HighContrast() override { return true; }
  Rgb SystemColor(int index) override {  // GetSysColor's indices
    switch (index) {
      case 13: return kHighlight;
      case 14: return kHighlightText;
      case 15: return kFace;
      case 17: return kGrey;
      case 18: return kText;
      default: return kStranger;
    }
  }
};

struct Look {
  const char* name;
  bool hovering, focused, isDefault, enabled;
  std::uint8_t state;
  Rgb frame, ground, caption;
};

// Written from the rule: text on the face in a text-coloured frame; hovering, the frame in the
// highlight; pressed, highlight text on the highlight; disabled, grey text and frame.
constexpr Look kLooks[] = {
    {"up", false, false, false, true, kUp, kText, kFace, kText},
    {"hover", true, false, false, true, kUp, kHighlight, kFace, kText},
    {"down", true, false, false, true, kDown, kText, kHighlight, kHighlightText},
    {"focused", false, true, false, true, kUp, kText, kFace, kText},
    {"default", false, false, true, true, kUp, kText, kFace, kText},
    {"disabled", false, false, false, false, kUp, kGrey, kFace, kGrey},
};

bool Frameless(std::int32_t style, const Look& look) {
  const bool atRest = !look.enabled || (look.state == kUp && !look.hovering);
  return style >= 8 && style <= 12 && atRest;
}

TEST(HighContrast, EveryStyleAndSchemeDrawsOnlyInTheThemesColours) {
  constexpr std::int32_t W = 100, H = 30;
  // Black shows as a grey silhouette on a disabled button, as itself on an enabled one.
  const auto picture = std::make_shared<platform::MemoryPicture>(
      PictureType::Bitmap, 8, 8, std::vector<std::int32_t>(64, 0x000000));
  for (std::int32_t style = 1; style <= 14; ++style) {
    for (std::int32_t scheme = 1; scheme <= 4; ++scheme) {
      for (const Look& look : kLooks) {
        SCOPED_TRACE(testing::Message() << "style " << style << ", scheme " << scheme << ", "
                                        << look.name);
        ThemeHost host(W, H);
        host.isDefault = look.isDefault;
        Cmd cmd(host);
        cmd.Initialize();
        cmd.InitProperties();
        cmd.DisableRefresh();
        cmd.SetCaption("&Save");
        cmd.SetButtonType(style);
        cmd.SetColorScheme(scheme);
        cmd.SetBackColor(0x2040A0);
        cmd.SetForeColor(0x0A0B0C);
        cmd.SetSpecialEffect(1);
        const bool withPicture = !look.enabled || look.state == kDown;
        if (withPicture) cmd.SetPictureNormal(picture);
        cmd.SetHovering(look.hovering);
        cmd.SetFocus(look.focused);
        cmd.Show();
        cmd.SetEnabled(look.enabled);
        const size_t before = host.canvas.Captions().size();
        cmd.Redraw(look.state, true);

        const Rgb edge = Frameless(style, look) ? look.ground : look.frame;
        EXPECT_EQ(host.canvas.Pixel(0, H / 2), edge);
        if (look.isDefault && !Frameless(style, look) && style != 13) {
          EXPECT_EQ(host.canvas.Pixel(1, H / 2), edge) << "two pixels wide";
        }
        std::set<Rgb> allowed{kFace, look.ground, look.frame};
        if (withPicture && look.enabled) allowed.insert(0x000000);  // the picture as it is
        if (look.focused) allowed.insert(kFace ^ 0xFFFFFF);  // the inverting focus frame
        std::set<Rgb> strangers;
        for (std::int32_t y = 0; y < H; ++y) {
          for (std::int32_t x = 0; x < W; ++x) {
            if (!allowed.count(host.canvas.Pixel(x, y))) strangers.insert(host.canvas.Pixel(x, y));
          }
        }
        EXPECT_TRUE(strangers.empty()) << "first stranger " << std::hex << *strangers.begin();

        const auto& captions = host.canvas.Captions();
        EXPECT_EQ(captions.size() - before, style == 10 ? 0u : 1u) << "no relief";
        for (size_t i = before; i < captions.size(); ++i) {
          const Rect& r = captions[i].rect;
          EXPECT_EQ(captions[i].colour, look.caption);
          EXPECT_EQ(host.canvas.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), look.ground);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tesk::button
