// The cmd button's Redraw on the raster canvas: early exits, looks and their colours.

#include <gtest/gtest.h>

#include "button/cmd.h"
#include "doubles/raster_host.h"
#include "platform/raster/memory_picture.h"

namespace tesk::button {
namespace {

using test::RasterHost;

constexpr Rgb kRed = 0x0000FF;

// A shown control of the given style on a host of the given size.
struct Button {
  Button(std::int32_t style, std::int32_t width = 100, std::int32_t height = 30)
      : host(width, height), cmd(host) {
    cmd.Initialize();
    cmd.InitProperties();
    cmd.SetCaption("OK");
    cmd.SetButtonType(style);
    cmd.Show();
  }
  size_t Captions() const { return host.canvas.Captions().size(); }
  Rgb At(std::int32_t x, std::int32_t y) const { return host.canvas.Pixel(x, y); }

  RasterHost host;
  Cmd cmd;
};

TEST(Redraw, SkipsUnchangedZeroHeightAndDisabledRefresh) {
  Button b(2);
  const size_t drawn = b.Captions();
  b.cmd.Redraw(kUp, false);
  EXPECT_EQ(b.Captions(), drawn) << "same state and caption";
  b.cmd.Redraw(kDown, false);
  EXPECT_EQ(b.Captions(), drawn + 1);
  b.cmd.DisableRefresh();
  b.cmd.Redraw(kUp, true);
  EXPECT_EQ(b.cmd.LastState(), kDown) << "nothing drawn, nothing recorded";

  Button flat(2, 100, 0);
  flat.cmd.Redraw(kDown, true);
  EXPECT_EQ(flat.Captions(), 0u);
}

TEST(Redraw, ACheckedButtonIsDownUnlessDisabled) {
  Button b(2);
  b.cmd.SetCheckBoxBehaviour(true);
  b.cmd.SetValue(true);
  EXPECT_EQ(b.At(0, 0), 0x000000) << "the down frame starts in the dark shadow";

  b.cmd.SetEnabled(false);
  const auto& captions = b.host.canvas.Captions();
  EXPECT_EQ(captions[captions.size() - 2].colour, 0xFFFFFF) << "engraved: highlight first";
  EXPECT_EQ(captions.back().colour, 0x808080);
}

TEST(Redraw, PictureOnlyAndUnknownStylesDrawFaceAndPicture) {
  for (std::int32_t style : {10, 99}) {
    Button b(style);
    b.cmd.SetPictureNormal(std::make_shared<platform::MemoryPicture>(
        PictureType::Bitmap, 8, 8, std::vector<std::int32_t>(64, kRed)));
    b.cmd.Redraw(kDown, true);
    const Rect& picture = b.cmd.Layout().pictureRect;
    EXPECT_EQ(b.At(picture.left + 2, picture.top + 2), kRed) << style;
  }
}

TEST(Redraw, StyleThreeGradientRoundsItsStepsHalfToEven) {
  Button b(3, 100, 50);
  const Palette& p = b.cmd.Colors();
  EXPECT_EQ(b.At(50, 3), ShiftColor(p.faceBrightColor, -2, true, false)) << "-1.5 gives -2";
  EXPECT_EQ(b.At(50, 5), ShiftColor(p.faceBrightColor, -2, true, false)) << "-2.5 gives -2";
  EXPECT_EQ(b.At(50, 7), ShiftColor(p.faceBrightColor, -4, true, false)) << "-3.5 gives -4";
}

TEST(Redraw, HoveringCustomColoursDrawFromBackOverForOneCallOnly) {
  Button b(7);
  b.cmd.SetColorScheme(kCustomColors);
  b.cmd.SetBackColor(0x00FF00);
  b.cmd.SetBackOver(kRed);
  b.cmd.SetHovering(true);
  b.cmd.Redraw(kUp, true);
  EXPECT_EQ(b.At(50, 15), kRed);
  EXPECT_EQ(b.cmd.Colors().faceColor, 0x00FF00);
}

TEST(Redraw, TheCaptionIsPaintedInTheForeColour) {
  Button b(3);
  b.cmd.SetColorScheme(kCustomColors);
  b.cmd.SetForeColor(0x708090);
  EXPECT_EQ(b.host.canvas.Captions().back().colour, 0x708090);
}

TEST(Redraw, FocusLooksByStyle) {
  Button etched(5);
  const Rect& text = etched.cmd.Layout().textRect;
  const Rgb unfocused = etched.At(text.left - 2, text.top - 1);
  etched.cmd.SetFocus(true);
  etched.cmd.Redraw(kUp, true);
  const Rgb etchedFrame = etched.At(text.left - 2, text.top - 1);
  EXPECT_NE(etchedFrame, unfocused) << "a frame round the caption";
  EXPECT_EQ(etched.At(text.left + etched.cmd.Layout().textWidth + 1, text.top), etchedFrame);

  Button thin(7);
  const Rect& frame = thin.cmd.FocusRect();
  const Rgb before = thin.At(frame.left + 1, frame.top);
  thin.cmd.SetFocus(true);
  thin.cmd.Redraw(kUp, true);
  EXPECT_EQ(thin.At(frame.left + 1, frame.top), before ^ 0xFFFFFF) << "dotted: odd x + y inverted";
  EXPECT_EQ(thin.At(frame.left, frame.top), before);
}

TEST(Redraw, DefaultButtonLooks) {
  Button classic(2);
  classic.host.isDefault = true;
  classic.cmd.Redraw(kUp, true);
  EXPECT_EQ(classic.At(0, 0), 0x000000) << "default: dark outline";
  classic.cmd.SetShowFocusRect(false);
  EXPECT_EQ(classic.At(0, 0), 0xFFFFFF) << "def2 needs ShowFocusRect too";

  Button shaded(14);
  shaded.host.isDefault = true;
  shaded.host.fontWeights.clear();
  shaded.cmd.Redraw(kUp, true);
  EXPECT_EQ(shaded.host.fontWeights, (std::vector<std::int16_t>{700, 400}));
}

}  // namespace
}  // namespace tesk::button
