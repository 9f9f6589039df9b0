// The cmd button's input handling: the events it raises, in order, the faces it paints, and
// what accessibility clients are told of it.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "button/accessible_button.h"
#include "doubles/raster_host.h"

namespace tesk::button {
namespace {

using test::RasterHost;

// The container: logs each event with the face on screen when it arrives.
class Container : public CmdEvents {
 public:
  explicit Container(const Cmd& cmd) : cmd_(cmd) {}
  void Click() override { Log("click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float& x, float& y) override {
    if (onMouseDown) onMouseDown(b);
    Log("down " + std::to_string(b) + (x == 0 && y == 0 ? " at 0,0" : ""));
  }
  void MouseMove(std::int16_t& b, std::int16_t&, float&, float&) override { Log("move", b); }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override { Log("up", b); }
  void KeyDown(std::int16_t& key, std::int16_t&) override {
    if (onKeyDown) onKeyDown(key);
    Log("keydown", key);
  }
  void KeyPress(std::int16_t& ascii) override { Log("keypress", ascii); }
  void KeyUp(std::int16_t& key, std::int16_t&) override { Log("keyup", key); }
  void MouseOver() override { Log("over"); }
  void MouseOut() override { Log("out"); }

  std::vector<std::string> events;
  std::function<void(std::int16_t&)> onMouseDown;
  std::function<void(std::int16_t&)> onKeyDown;

 private:
  // Each event with the face last drawn: "/up" or "/down".
  void Log(const std::string& event) {
    events.push_back(event + (cmd_.LastState() == kDown ? " /down" : " /up"));
  }
  void Log(const std::string& event, std::int16_t value) {
    Log(event + " " + std::to_string(value));
  }
  const Cmd& cmd_;
};

class Input : public ::testing::Test {
 protected:
  Input() : host(100, 30), cmd(host), container(cmd) {
    cmd.Initialize();
    cmd.InitProperties();
    cmd.Resize();
    cmd.Show();
    cmd.SetEvents(&container);
    host.mouseOver = true;
  }
  void LeftClick() {
    cmd.OnMouseDown(1, 0, 5, 5);
    cmd.OnMouseUp(1, 0, 5, 5);
    cmd.OnClick();
  }

  RasterHost host;
  Cmd cmd;
  Container container;
};

using Events = std::vector<std::string>;

TEST_F(Input, ALeftClickIsDownUpClickAndARightClickNoClick) {
  LeftClick();
  EXPECT_EQ(container.events, (Events{"down 1 /up", "up 1 /down", "click /up"}));
  EXPECT_EQ(host.log.back(), "show") << "the up face reaches the screen before click";

  container.events.clear();
  cmd.OnMouseDown(2, 0, 5, 5);
  cmd.OnMouseUp(2, 0, 5, 5);
  cmd.OnClick();
  EXPECT_EQ(container.events, (Events{"down 2 /up", "up 2 /up"}));

  cmd.OnAccessKeyPress();
  EXPECT_EQ(container.events.back(), "click /up") << "the access key clicks after a right press";
}

TEST_F(Input, DraggingOffAndBackShowsUpThenDown) {
  cmd.OnMouseDown(1, 0, 5, 5);
  host.mouseOver = false;
  cmd.OnMouseMove(1, 0, 150, 5);
  EXPECT_EQ(cmd.LastState(), kUp);
  host.mouseOver = true;
  cmd.OnMouseMove(1, 0, 5, 5);
  EXPECT_EQ(cmd.LastState(), kDown);
  EXPECT_FALSE(cmd.IsHovering()) << "not hovered while the button is held";
}

TEST_F(Input, ADoubleClickGivesOneClick) {
  LeftClick();
  cmd.OnDblClick();
  cmd.OnMouseUp(1, 0, 5, 5);
  EXPECT_EQ(container.events, (Events{"down 1 /up", "up 1 /down", "click /up",
                                      "down 1 at 0,0 /up", "up 1 /down"}));
  EXPECT_NE(std::find(host.log.begin(), host.log.end(), "capture mouse"), host.log.end());
}

TEST_F(Input, TheSpaceBarClicksAndArrowsMoveTheFocusUnlessTheContainerSaysOtherwise) {
  cmd.OnKeyDown(32, 0);
  cmd.OnKeyPress(32);
  cmd.OnKeyUp(32, 0);
  EXPECT_EQ(container.events,
            (Events{"keydown 32 /up", "keypress 32 /down", "keyup 32 /down", "click /up"}));

  container.events.clear();
  container.onKeyDown = [](std::int16_t& key) { if (key == 32) key = 65; };
  cmd.OnKeyDown(32, 0);
  cmd.OnKeyUp(32, 0);
  EXPECT_EQ(container.events, (Events{"keydown 65 /up", "keyup 32 /up"})) << "no down face, no click";

  container.onKeyDown = nullptr;
  for (std::int16_t arrow : {37, 38, 39, 40}) cmd.OnKeyDown(arrow, 0);
  container.onKeyDown = [](std::int16_t& key) { key = 0; };
  cmd.OnKeyDown(39, 0);
  EXPECT_EQ(Events(host.log.end() - 4, host.log.end()),
            (Events{"focus previous", "focus previous", "focus next", "focus next"}));
}

// Accessibility clients read a button held down as pressed, and a checked one as checked: its
// face is down for the check, not for a press.
TEST_F(Input, AClickedCheckButtonReadsCheckedNotPressed) {
  cmd.OnMouseDown(1, 0, 5, 5);
  EXPECT_TRUE(DescribeButton(cmd).pressed);
  cmd.OnMouseUp(1, 0, 5, 5);
  EXPECT_FALSE(DescribeButton(cmd).pressed);
  cmd.SetCheckBoxBehaviour(true);
  LeftClick();
  EXPECT_EQ(cmd.LastState(), kDown);
  EXPECT_TRUE(DescribeButton(cmd).checked);
  EXPECT_FALSE(DescribeButton(cmd).pressed);
}

TEST_F(Input, AccessibilityReadsTheCaptionWithoutItsMarksAndItsFirstMarkedKey) {
  const struct {
    const char* caption;
    const char* name;
    const char* shortcut;
  } cases[] = {
      {"E&xit", "Exit", "Alt+X"},
      {"R&&D &log", "R&D log", "Alt+L"},
      {"&One &Two", "One Two", "Alt+O"},
      {"&\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "Alt+\xC3\xA9"},
  };
  for (const auto& c : cases) {
    cmd.SetCaption(c.caption);
    const AccessibleButton button = DescribeButton(cmd);
    EXPECT_EQ(button.name, c.name) << c.caption;
    EXPECT_EQ(button.shortcut, c.shortcut) << c.caption;
  }
}

TEST_F(Input, HoverStartsOnceAndEndsWithTheUpFaceBeforeMouseOut) {
  cmd.OnMouseMove(0, 0, 5, 5);
  cmd.OnMouseMove(0, 0, 6, 5);
  cmd.OnHoverTimer();
  EXPECT_EQ(container.events, (Events{"move 0 /up", "over /up", "move 0 /up"}));
  EXPECT_TRUE(host.timerOn && cmd.IsHovering());
  const size_t drawn = host.canvas.Captions().size();
  host.mouseOver = false;
  cmd.OnHoverTimer();
  EXPECT_EQ(container.events.back(), "out /up");
  EXPECT_GT(host.canvas.Captions().size(), drawn) << "repainted before MouseOut";
  EXPECT_FALSE(host.timerOn || cmd.IsHovering());
}

TEST_F(Input, AButtonOutOfByteRangeFailsWithoutPaintingTheDownFace) {
  container.onMouseDown = [](std::int16_t& button) { button = 300; };
  EXPECT_THROW(cmd.OnMouseDown(1, 0, 5, 5), ConversionError);
  EXPECT_EQ(cmd.LastState(), kUp);
}

}  // namespace
}  // namespace tesk::button
