// The cmd button as a real child window under Wine, driven with real input (SetCursorPos and
// SendInput on the virtual display): hover, capture, clicks, and focus moves through the
// dialog manager.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "win32/ui/cmd_window.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

using button::Cmd;

class EventLog : public button::CmdEvents {
 public:
  explicit EventLog(std::vector<std::string>& log, std::string name)
      : log_(log), name_(std::move(name)) {}
  void Click() override { log_.push_back(name_ + " click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log_.push_back(name_ + " down " + std::to_string(b));
  }
  void MouseOver() override { log_.push_back(name_ + " over"); }
  void MouseOut() override { log_.push_back(name_ + " out"); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

// Runs the windows' messages as a form's message loop would: through the dialog manager, which
// moves the focus and handles access keys.
HWND dialog = nullptr;
void RunWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (dialog && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Runs messages until `state` holds, for ten seconds at most; whether it held.
bool PumpUntil(const std::function<bool()>& state) {
  const DWORD start = GetTickCount();
  for (RunWaitingMessages(); !state(); RunWaitingMessages()) {
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

// Runs messages until no input and no posted message waits: what was sent has been handled.
void Settle() {
  PumpUntil([] { return GetQueueStatus(QS_INPUT | QS_POSTMESSAGE) == 0; });
}

void Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// A key pressed and released, and what it did handled.
void Press(WORD key) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  Settle();
}

class ButtonWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = CreateWindowExW(0, L"STATIC", L"Button lab", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420,
                            200, nullptr, nullptr, nullptr, nullptr);
    events_.reserve(3);  // each window keeps a pointer to its log
    for (int i = 0; i < 3; ++i) {
      const std::string name = "cmd" + std::to_string(i + 1);
      // Restored from saved states, as a form's buttons are.
      bags_[i].Write("BTYPE", std::int32_t{i + 1});
      bags_[i].Write("TX", std::string("Button"));
      win32::CmdWindowOptions options;
      options.name = name;
      options.saved = &bags_[i];
      options.events = &events_.emplace_back(log, name);
      buttons_[i] = win32::CreateCmdWindow(form_, 100 + i, {10 + i * 130, 20, 130 + i * 130, 50},
                                           options);
    }
    SetForegroundWindow(form_);
    dialog = form_;
    EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == form_; }));
    Settle();
    log.clear();
  }
  void TearDown() override {
    dialog = nullptr;
    DestroyWindow(form_);
  }

  POINT Centre(int button) const {
    RECT r{};
    GetWindowRect(buttons_[button], &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void MoveTo(POINT p) {
    SetCursorPos(p.x, p.y);
    Mouse(MOUSEEVENTF_MOVE);
    Settle();
  }
  Cmd& Control(int button) { return *win32::CmdOfWindow(buttons_[button]); }
  std::ptrdiff_t Clicks() const { return std::count(log.begin(), log.end(), "cmd2 click"); }

  std::vector<std::string> log;
  HWND form_ = nullptr;
  HWND buttons_[3] = {};
  button::PropertyBag bags_[3];
  std::vector<EventLog> events_;
};

// Real input reaching the window: hover begins and ends with the pointer; a press takes the
// focus and the capture; a release outside clicks nothing, a double-click clicks once and a
// right click never. What the control does with each notice is the native input test's.
TEST_F(ButtonWindows, RealMouseInputHoversPressesAndClicksAndArrowKeysMoveTheFocus) {
  const POINT centre = Centre(1);
  const POINT outside{centre.x, centre.y + 100};
  MoveTo(centre);
  EXPECT_TRUE(PumpUntil([&] { return !log.empty(); }));
  MoveTo({centre.x + 3, centre.y});
  EXPECT_EQ(log, std::vector<std::string>{"cmd2 over"});
  Mouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(PumpUntil([&] { return GetCapture() == buttons_[1]; }));
  EXPECT_EQ(GetFocus(), buttons_[1]);
  MoveTo(outside);
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([] { return GetCapture() == nullptr; }));
  Settle();
  EXPECT_EQ(Clicks(), 0) << "released outside";

  // The next press must not pair with the last one: that takes the double-click time itself.
  const DWORD pressesApart = GetTickCount() + GetDoubleClickTime() + 100;
  PumpUntil([&] { return static_cast<LONG>(GetTickCount() - pressesApart) >= 0; });
  MoveTo(centre);
  for (int press = 0; press < 2; ++press) {
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
  }
  EXPECT_TRUE(PumpUntil([&] { return Clicks() > 0; }));
  Settle();
  EXPECT_EQ(Clicks(), 1) << "a double-click";
  EXPECT_EQ(Control(1).LastState(), button::kUp) << "its release reached the control";
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(PumpUntil([&] { return log.back() == "cmd2 down 2"; }));
  Settle();
  EXPECT_EQ(log.back(), "cmd2 down 2") << "a right click clicks nothing";
  MoveTo(outside);
  EXPECT_TRUE(PumpUntil([&] { return log.back() == "cmd2 out"; }));

  // Arrow keys move the focus; access keys, with and without Alt, are the keyboard test's, on
  // the library's own windows.
  SetFocus(buttons_[1]);
  Press(VK_RIGHT);
  EXPECT_EQ(GetFocus(), buttons_[2]);
  Press(VK_LEFT);
  EXPECT_EQ(GetFocus(), buttons_[1]);
  EXPECT_TRUE(Control(1).HasFocus());
}

}  // namespace
}  // namespace tesk::wine_test
