// Timing tool for the cmd button on the GDI canvas under Wine: one full Redraw per style on a
// 100 x 30 button; the picture compositor with and without GetNearestColor for every pixel
// (what a palette surface needs, and what a true-colour surface skips); a MouseMove that
// changes nothing; and the process CPU time the 3 ms hover timer costs while the pointer rests
// on a real button window for 10 s. Medians of many runs.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "button/cmd.h"
#include "button/compositor.h"
#include "common/offscreen_host.h"
#include "common/timing.h"
#include "common/test_pictures.h"
#include "win32/ui/cmd_window.h"

namespace {

using tesk::button::Rgb;
using tesk::tools::MedianMicroseconds;

void RedrawPerStyle() {
  for (int style = 1; style <= 14; ++style) {
    tesk::tools::OffscreenHost host(100, 30);
    tesk::button::Cmd cmd(host);
    cmd.Initialize();
    cmd.InitProperties();
    cmd.SetCaption("&Save file");
    cmd.SetPictureNormal(
        tesk::tools::MakeBitmapPicture(16, 16, tesk::tools::BadgePixels(0xC0C0C0)));
    cmd.SetButtonType(style);
    cmd.Show();
    const double us = MedianMicroseconds(21, 50, [&] { cmd.Redraw(tesk::button::kUp, true); });
    std::printf("GDI Redraw, style %2d: median %.1f us\n", style, us);
  }
}

void CompositeRatio(int side) {
  tesk::tools::OffscreenHost host(side, side);
  tesk::platform::Canvas& canvas = host.Surface();
  std::vector<Rgb> source(static_cast<size_t>(side * side), 0x2020D0);
  std::vector<Rgb> target(source.size(), 0xF0F0F0);
  tesk::button::CompositeMode mode;
  mode.transparent = 0xC0C0C0;
  const tesk::button::NearestColor lookup = [&canvas](Rgb c) { return canvas.NearestColor(c); };
  const double plain = MedianMicroseconds(21, 10, [&] {
    tesk::button::CompositePixels(target, source, mode);
  });
  const double looked = MedianMicroseconds(11, 2, [&] {
    tesk::button::CompositePixels(target, source, mode, lookup);
  });
  std::printf("Compositor %dx%d: %.1f us true colour, %.1f us with GetNearestColor per pixel "
              "(%.0fx)\n", side, side, plain, looked, looked / plain);
}

void MouseMoveThatChangesNothing() {
  tesk::tools::OffscreenHost host(100, 30);
  tesk::button::Cmd cmd(host);
  cmd.Initialize();
  cmd.InitProperties();
  cmd.Resize();
  cmd.Show();
  const double us = MedianMicroseconds(21, 20000, [&] { cmd.OnMouseMove(0, 0, 5.0f, 5.0f); });
  std::printf("MouseMove that changes nothing (Redraw skipped): median %.0f ns\n", us * 1000);
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

void HoverTimerCost() {
  WNDCLASSW form{};
  form.lpfnWndProc = DefWindowProcW;
  form.hInstance = GetModuleHandleW(nullptr);
  form.lpszClassName = L"TeskBenchForm";
  RegisterClassW(&form);
  const HWND window = CreateWindowExW(0, L"TeskBenchForm", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr);
  const RECT bounds{20, 20, 120, 50};
  const HWND button = tesk::win32::CreateCmdWindow(window, 1, bounds, {});
  RECT r{};
  GetWindowRect(button, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &move, sizeof move);
  const auto pump = [](DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, end - GetTickCount(), QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
  };
  pump(300);
  const bool hovering = tesk::win32::CmdOfWindow(button)->IsHovering();
  const double before = ProcessCpuSeconds();
  pump(10000);
  const double cpu = ProcessCpuSeconds() - before;
  std::printf("Hover timer, pointer resting on a button for 10 s%s: %.2f s process CPU (%.1f%%)\n",
              hovering ? "" : " (NOT hovering)", cpu, cpu * 10);
  DestroyWindow(window);
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  RedrawPerStyle();
  CompositeRatio(32);
  CompositeRatio(256);
  MouseMoveThatChangesNothing();
  HoverTimerCost();
  CoUninitialize();
  return 0;
}
