// What accessibility clients are told about a cmd button: the caption as it reads, its
// shortcut, and when its face counts as pressed.

#include <gtest/gtest.h>

#include "button/accessible_button.h"
#include "doubles/raster_host.h"

namespace tesk::button {
namespace {

struct ShownCmd {
  ShownCmd() : host(100, 30), cmd(host) {
    cmd.Initialize();
    cmd.InitProperties();
    cmd.Resize();
    cmd.Show();
  }
  test::RasterHost host;
  Cmd cmd;
};

TEST(AccessibleButton, TheNameDropsTheAccessKeyMarksAndTheShortcutNamesTheFirstMarkedKey) {
  const struct {
    const char* caption;
    const char* name;
    const char* shortcut;
  } cases[] = {
      {"E&xit", "Exit", "Alt+X"},
      {"R&&D", "R&D", ""},
      {"R&&D &log", "R&D log", "Alt+L"},
      {"&One &Two", "One Two", "Alt+O"},
      {"a&&&b", "a&b", "Alt+B"},
      {"Done&", "Done", ""},
      {"&\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "Alt+\xC3\xA9"},
  };
  ShownCmd shown;
  for (const auto& c : cases) {
    shown.cmd.SetCaption(c.caption);
    const AccessibleButton button = DescribeButton(shown.cmd);
    EXPECT_EQ(button.name, c.name) << c.caption;
    EXPECT_EQ(button.shortcut, c.shortcut) << c.caption;
  }
}

// A checked button shows its face down for the check, not for a press.
TEST(AccessibleButton, PressedWhileHeldDownButNotForTheCheckedFace) {
  ShownCmd shown;
  Cmd& cmd = shown.cmd;
  cmd.OnMouseDown(1, 0, 5, 5);
  EXPECT_TRUE(DescribeButton(cmd).pressed);
  cmd.OnMouseUp(1, 0, 5, 5);
  EXPECT_FALSE(DescribeButton(cmd).pressed);
  cmd.SetCheckBoxBehaviour(true);
  cmd.SetValue(true);
  ASSERT_EQ(cmd.LastState(), kDown);
  EXPECT_TRUE(DescribeButton(cmd).checked);
  EXPECT_FALSE(DescribeButton(cmd).pressed);
}

}  // namespace
}  // namespace tesk::button
