#include "button_lab.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/screenshot.h"
#include "win32/ui/cmd_window.h"

namespace tesk::demo {
namespace {

constexpr int kStyles = 14;
constexpr int kColumns = 7;

const char* const kStyleNames[kStyles] = {
    "Outlined", "Classic", "Gradient", "Panel", "Etched", "Plain", "Thin",
    "Hover frame", "Highlight", "Picture only", "Parent", "Hover bevel", "Elliptic", "Shaded"};

// Prints each event as the container's handler would see it.
class PrintedEvents : public button::CmdEvents {
 public:
  explicit PrintedEvents(std::string name) : name_(std::move(name)) {}
  void Click() override { Print("click"); }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    Print("MouseDown button " + std::to_string(b));
  }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    Print("MouseUp button " + std::to_string(b));
  }
  void KeyDown(std::int16_t& key, std::int16_t&) override { Print("KeyDown " + std::to_string(key)); }
  void KeyUp(std::int16_t& key, std::int16_t&) override { Print("KeyUp " + std::to_string(key)); }
  void MouseOver() override { Print("MouseOver"); }
  void MouseOut() override { Print("MouseOut"); }

 private:
  void Print(const std::string& event) { std::printf("    %-12s %s\n", name_.c_str(), event.c_str()); }
  std::string name_;
};

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount() < end);
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

void PointAt(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMouse(MOUSEEVENTF_MOVE);
  Pump(120);
}

}  // namespace

void RunButtonLab(const char* screenshotPath) {
  WNDCLASSW form{};
  form.lpfnWndProc = DefWindowProcW;
  form.hInstance = GetModuleHandleW(nullptr);
  form.lpszClassName = L"TeskButtonLab";
  form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClassW(&form);
  const HWND window = CreateWindowExW(0, L"TeskButtonLab", L"Button lab",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 160, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  std::vector<PrintedEvents> events;
  events.reserve(kStyles);
  std::vector<HWND> buttons;
  std::vector<button::PropertyBag> saved(kStyles);
  for (int style = 1; style <= kStyles; ++style) {
    // Each button is restored from a saved state, as the library's windows restore theirs.
    button::PropertyBag& bag = saved[static_cast<size_t>(style - 1)];
    bag.Write("BTYPE", std::int32_t{style});
    bag.Write("TX", std::string(kStyleNames[style - 1]));
    events.emplace_back(kStyleNames[style - 1]);
    win32::CmdWindowOptions options;
    options.name = kStyleNames[style - 1];
    options.saved = &bag;
    options.events = &events.back();
    const int column = (style - 1) % kColumns;
    const int row = (style - 1) / kColumns;
    const RECT bounds{8 + column * 110, 10 + row * 50, 108 + column * 110, 42 + row * 50};
    buttons.push_back(win32::CreateCmdWindow(window, 100 + style, bounds, options));
  }
  SetForegroundWindow(window);
  Pump(300);

  std::printf("  the pointer rests on Gradient, then moves on to Classic and clicks it:\n");
  PointAt(buttons[2]);
  PointAt(buttons[1]);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump(100);
  SendMouse(MOUSEEVENTF_LEFTUP);
  Pump(100);
  std::printf("  the right arrow moves the focus on; the space bar clicks Gradient:\n");
  SendKey(VK_RIGHT);
  Pump(100);
  SendKey(VK_SPACE);
  Pump(100);
  PointAt(buttons[12]);
  if (screenshotPath && tools::SaveScreenshot(window, screenshotPath)) {
    std::printf("  screenshot: %s\n", screenshotPath);
  }
  DestroyWindow(window);
}

}  // namespace tesk::demo
