// The whole keyboard on every standard window, typed as real input (SendInput) into the
// library's own modal loop: Tab and Shift+Tab walk the controls in their order, Enter clicks
// the focused button and nothing elsewhere, Esc closes, an access key presses its button with
// and without Alt. A second thread types and watches the test's thread, whose window is the
// foreground one while the library shows it.

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

DWORD uiThread = 0;  // the test's thread, which shows the windows
std::atomic<HWND> shown{nullptr};  // the window whose showing has ended

bool Await(const std::function<bool()>& state) { return WaitUntil(state, 10000); }

HWND Focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(uiThread, &info);
  return info.hwndFocus;
}

// The control that has the focus, or the window of the control it is inside.
std::wstring Focused(HWND form) {
  HWND control = Focus();
  while (control && GetParent(control) != form) control = GetParent(control);
  const std::wstring name = ClassOf(control);
  return name == L"TeskLumoraCmd" ? TextOf(control) : name;
}

// Presses the keys in order and releases them in reverse: {VK_SHIFT, VK_TAB} is Shift+Tab.
void Type(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs(keys.size() * 2);
  for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
  size_t i = 0;
  for (const WORD key : keys) inputs[i++].ki.wVk = key;
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    inputs[i].ki.wVk = *key;
    inputs[i++].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The showing ends with the library's modal loop running; what the window does with its focus
// before is no key's doing.
void MarkShown(HWND form) {
  SetForegroundWindow(form);
  shown = form;
}

HWND Shown(const wchar_t* caption) {
  HWND form = nullptr;
  EXPECT_TRUE(Await([&] {
    form = FindWindowW(nullptr, caption);
    return form && shown == form && GetForegroundWindow() == form;
  })) << "not in the foreground";
  shown = nullptr;
  return form;
}

void TabTo(HWND form, const std::wstring& control) {
  for (int i = 0; i < 4 && Focused(form) != control; ++i) {
    const HWND from = Focus();
    Type({VK_TAB});
    Await([&] { return Focus() != from; });
  }
  EXPECT_EQ(Focused(form), control);
}

void Walk(HWND form, const std::vector<std::wstring>& order) {
  const size_t n = order.size();
  size_t at = std::find(order.begin(), order.end(), Focused(form)) - order.begin();
  ASSERT_LT(at, n) << "the focus starts outside the order";
  for (size_t step = 0; step < 2 * n; ++step) {
    const bool back = step >= n;
    back ? Type({VK_SHIFT, VK_TAB}) : Type({VK_TAB});
    at = (at + (back ? n - 1 : 1)) % n;
    EXPECT_TRUE(Await([&] { return Focused(form) == order[at]; }))
        << (back ? "Shift+Tab to " : "Tab to ") << order[at] << ", not " << Focused(form);
  }
}

// A way of closing a window: a key typed on the first control of its order or on its closing
// button, with a modifier or none; key 0 stands for the button's access key.
struct Way {
  bool onFirst;
  WORD modifier, key;
};
const Way kWays[] = {{true, 0, VK_ESCAPE}, {false, 0, VK_RETURN}, {true, VK_MENU, 0}, {false, 0, 0}};

void Drive(const StandardWindow& window, const Way& way) {
  if (window.overAbout) {
    TabTo(Shown(kAboutCaption), kSupportOpener);
    Type({VK_RETURN});
  }
  const HWND form = Shown(window.caption);
  if (&way == kWays) Walk(form, window.tabOrder);
  const std::wstring closer = window.closer ? window.closer : L"";
  if (way.key == VK_RETURN && window.tabOrder[0] != closer) {  // Enter elsewhere clicks nothing
    TabTo(form, window.tabOrder[0]);
    Type({VK_RETURN});
  }
  TabTo(form, way.onFirst ? window.tabOrder[0] : closer);
  const WORD key = way.key ? way.key : towupper(closer[closer.find(L'&') + 1]);
  way.modifier ? Type({way.modifier, key}) : Type({key});
  EXPECT_TRUE(Await([&] { return !IsWindow(form); })) << "still open";
  PostMessageW(form, WM_CLOSE, 0, 0);
  if (window.overAbout) {
    const HWND about = FindWindowW(nullptr, kAboutCaption);
    EXPECT_TRUE(Await([&] { return Focused(about) == kSupportOpener; })) << "the focus given back";
    PostMessageW(about, WM_CLOSE, 0, 0);
  }
}

TEST(Keyboard, WalksEveryWindowInOrderAndClosesItByEveryKey) {
  SetProduct(L"TESKINVOICE");
  const UpdateServerSetting noServer(L"http://127.0.0.1:9");  // the bug report opens at once
  uiThread = GetCurrentThreadId();
  for (const StandardWindow& window : kStandardWindows) {
    for (const Way& way : kWays) {
      if (!window.closer && way.key != VK_ESCAPE) continue;
      if (window.overAbout) When(kAboutCaption, MarkShown);
      When(window.caption, MarkShown);
      std::thread driver([&] {
        SCOPED_TRACE(Narrow(window.caption) + " way " + std::to_string(&way - kWays));
        Drive(window, way);
      });
      EXPECT_EQ(window.show(), S_OK);
      driver.join();
      ClearWatches();
    }
  }
}

}  // namespace
}  // namespace tesk::wine_test
