// The cmd button's properties, persistence and life cycle, and the property bag's values.

#include <gtest/gtest.h>

#include "button/cmd.h"
#include "doubles/raster_host.h"
#include "platform/raster/memory_picture.h"

namespace tesk::button {
namespace {

using test::RasterHost;

PicturePtr Square(std::int32_t size) {
  return std::make_shared<platform::MemoryPicture>(
      PictureType::Bitmap, size, size, std::vector<std::int32_t>(size * size, 0x0000FF));
}

// A control newly placed on a host of the given size.
struct NewCmd {
  explicit NewCmd(std::int32_t width = 100, std::int32_t height = 30) : host(width, height), cmd(host) {
    cmd.Initialize();
    cmd.InitProperties();
  }
  RasterHost host;
  Cmd cmd;
};

TEST(CmdLifeCycle, ANewControlTakesTheContainersName) {
  NewCmd n;
  EXPECT_EQ(n.cmd.Caption(), n.host.DisplayName());
}

// That each key's value comes back is the fuzz target's round trip (cmd_bag_fuzz); here the
// bag's layout, and what a read sets up besides the fields.
TEST(CmdPersistence, WritesTheKeysInOrderAfterTheExtentsAndARestoredControlIsReady) {
  NewCmd n;
  RasterHost& host = n.host;
  Cmd& saved = n.cmd;
  host.hand = Square(32);
  saved.SetCaption("&Save");
  saved.SetPictureNormal(Square(16));
  saved.SetPictureOver(Square(8));
  saved.SetHandPointer(true);
  EXPECT_EQ(host.notices.back(), "HAND");

  PropertyBag bag(2646, 794);
  saved.WriteProperties(bag);
  saved.WriteProperties(bag);  // each key rewritten in its place
  std::vector<std::string> keys;
  for (const auto& entry : bag.Entries()) keys.push_back(entry.first);
  EXPECT_EQ(keys, (std::vector<std::string>{
                      "_extentx", "_extenty", "btype", "tx", "enab", "font", "coltype", "focusr",
                      "bcol", "bcolo", "fcol", "fcolo", "mcol", "mptr", "micon", "picn", "pich",
                      "umcol", "soft", "picpos", "ngrey", "fx", "hand", "check", "value"}))
      << "the hand cursor is the mouse icon; the key of PictureOver is PICH";

  RasterHost otherHost(100, 30);
  otherHost.hand = host.hand;
  Cmd restored(otherHost);
  restored.Initialize();
  restored.ReadProperties(bag);
  EXPECT_EQ(restored.Layout().pictureRect.Width(), 16);
  otherHost.dpi = 144;  // on a screen of 1.5 times the pixels, the picture keeps its inches
  restored.DpiChanged();
  EXPECT_EQ(restored.Layout().pictureRect.Width(), 24);
}

TEST(CmdPersistence, MissingKeysTakeTheirDefaultsAndABadValueStopsTheRead) {
  RasterHost host(100, 30);
  Cmd cmd(host);
  PropertyBag onlyColours;
  onlyColours.Write("BCOL", std::int32_t{0x0000FF});
  onlyColours.Write("FCOL", std::int32_t{0x00FF00});
  cmd.ReadProperties(onlyColours);
  EXPECT_EQ(cmd.ForeOver(), 0x00FF00u);

  PropertyBag bad;
  bad.Write("BTYPE", std::string("7"));
  bad.Write("COLTYPE", std::string("blue"));
  bad.Write("FOCUSR", false);
  EXPECT_THROW(cmd.ReadProperties(bad), ConversionError);
  EXPECT_EQ(cmd.ButtonType(), 7) << "keys before the bad one are read";
  EXPECT_TRUE(cmd.ShowFocusRect()) << "keys after it are not";
}

TEST(CmdProperties, FontSizeRoundsHalfToEvenAndStyleFiveBoldsTheFontAtDesignTime) {
  NewCmd n;
  for (const auto& [points, size] : {std::pair{8.25, 8}, {8.5, 8}, {9.5, 10}}) {
    n.host.font.size = points;
    EXPECT_EQ(n.cmd.FontSize(), size) << points;
  }
  n.cmd.SetFontSize(9);
  EXPECT_EQ(n.cmd.FontSize(), 9);

  n.host.userMode = false;
  n.cmd.SetButtonType(5);
  EXPECT_TRUE(n.cmd.FontBold());
}

// By rule: each style's focus frame lies inside its bevel, 3 to 6 pixels in, and the window
// takes the style's shape.
TEST(CmdResize, InsetsTheFocusFrameInsideTheBevelAndShapesTheWindow) {
  NewCmd n(60, 20);
  for (std::int32_t style = 1; style <= 14; ++style) {
    n.cmd.SetButtonType(style);
    const Rect& f = n.cmd.FocusRect();
    EXPECT_TRUE(f.left >= 3 && f.top >= 3 && f.right <= 57 && f.bottom <= 17) << style;
    EXPECT_EQ(n.host.shape.removedPixels, MakeRegion(style, 60, 20).removedPixels) << style;
  }
}

TEST(CmdLifeCycle, StyleElevenCapturesItsBackgroundOnShowAndReleasesIt) {
  NewCmd n(60, 20);
  n.cmd.DisableRefresh();
  n.cmd.SetButtonType(11);
  n.cmd.Show();
  n.cmd.Terminate();
  EXPECT_EQ(n.host.log, (std::vector<std::string>{"create", "capture", "copy", "release"}));
}

TEST(PropertyBag, KeepsNoEmptyPicture) {
  PropertyBag bag;
  const PicturePtr picture = Square(1);
  bag.Write("PICN", picture);
  bag.Write("PICH", PicturePtr());
  EXPECT_EQ(ToPicture(*bag.Read("picn")), picture);
  EXPECT_FALSE(bag.Read("pich").has_value());
  bag.Write("PICN", PicturePtr());
  EXPECT_FALSE(bag.Read("picn").has_value()) << "clearing a picture removes its key";
}

TEST(PropertyValue, ConvertsAsTheFieldsTypeRequiresOrFails) {
  EXPECT_EQ(ToLong(std::string(" 12 ")), 12);
  EXPECT_EQ(ToLong(std::string("3.5")), 4);
  EXPECT_EQ(ToInteger(std::int32_t{32767}), 32767);

  EXPECT_TRUE(ToBoolean(std::string("TRUE")));
  EXPECT_THROW(ToBoolean(std::string("yes")), ConversionError);
}

}  // namespace
}  // namespace tesk::button
