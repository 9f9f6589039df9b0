// Handle discipline over long runs: each window opened and closed two hundred times, a window
// moved between screens of four DPIs a hundred times, a button's properties changed and
// redrawn ten thousand times, a thousand downloads. GDI objects, USER
// objects and kernel handles end where they started; the first cycles may fill one-time caches.
// `make soak` runs them ten times over.

#include <cstdio>
#include <string>
#include <vector>

#include "button/cmd.h"
#include "win32/ui/cmd_window.h"
#include "window_watch.h"

namespace tesk::wine_test {
namespace {

// Wine's GetGuiResources and GetProcessHandleCount answer 0, so objects are counted by the
// room left: how many more the process could still make (fewer after the cycles means some
// were left behind), and kernel handles by trying each small multiple of four.
template <typename Make, typename Free>
long Room(Make make, Free free) {
  std::vector<decltype(make())> made;
  while (auto object = make()) made.push_back(object);
  for (auto object : made) free(object);
  return static_cast<long>(made.size());
}

struct Resources {
  long gdiRoom = Room([] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN r) { DeleteObject(r); });
  long userRoom = Room([] { return CreateMenu(); }, [](HMENU m) { DestroyMenu(m); });
  long kernel = 0;
  Resources() {
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
      kernel += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
  }
};

// Runs `cycle` a few times to fill the caches, then `cycles` times, and expects every count
// back where it was: a leak of one object a cycle would show as hundreds.
template <typename Cycle>
void ExpectNothingLeftAfter(const char* what, int cycles, Cycle&& cycle) {
  for (int i = 0; i < 3; ++i) cycle(i);
  const Resources before;
  const DWORD start = GetTickCount();
  for (int i = 0; i < cycles; ++i) cycle(i);
  const DWORD milliseconds = GetTickCount() - start;
  const Resources after;
  std::printf("%s x %d (%lu ms): room for GDI %ld -> %ld, USER %ld -> %ld; handles %ld -> %ld\n",
              what, cycles, milliseconds, before.gdiRoom, after.gdiRoom, before.userRoom,
              after.userRoom, before.kernel, after.kernel);
  constexpr long kSlack = 8;  // objects a system cache may still take late, not per cycle
  EXPECT_LE(before.gdiRoom - after.gdiRoom, kSlack) << what;
  EXPECT_LE(before.userRoom - after.userRoom, kSlack) << what;
  EXPECT_LE(after.kernel - before.kernel, kSlack) << what;
}

TEST(HandleCycles, EachWindowOpenedAndClosedTwoHundredTimes) {
  SetProduct(L"TESKINVOICE");
  UpdateServerSetting server(Server() + L"/browser");
  // A window cycle takes about 60 ms under Wine; a leak of one object a cycle still shows as
  // two hundred, far beyond what caches take.
  const int cycles = SoakFactor() * 200;

  for (const StandardWindow& window : kStandardWindows) {
    ExpectNothingLeftAfter(Narrow(window.caption).c_str(), cycles,
                           [&window](int) { WhileShown(window, [](HWND) {}); });
  }
}

TEST(HandleCycles, AHundredDpiChanges) {
  WhileShown(kStandardWindows[3], [](HWND form) {  // Shortcut Keys
    ExpectNothingLeftAfter("DPI change", SoakFactor() * 100, [form](int i) {
      constexpr int kDpis[] = {96, 120, 144, 192};
      const int dpi = kDpis[i % 4];
      RECT suggested{0, 0, 800, 600};
      SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      UpdateWindow(form);
    });
  });
}

TEST(HandleCycles, TenThousandButtonChangesAndRedraws) {
  const HWND form = CreateWindowExW(0, L"STATIC", L"cycles", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                    80, nullptr, nullptr, nullptr, nullptr);
  const HWND window = win32::CreateCmdWindow(form, 1, {10, 10, 120, 40}, {});
  button::Cmd& cmd = *win32::CmdOfWindow(window);
  ExpectNothingLeftAfter("cmd property change and redraw", SoakFactor() * 10000, [&](int i) {
    cmd.SetButtonType(1 + i % 14);
    cmd.SetCaption("&Caption " + std::to_string(i));
    cmd.SetFont({i % 2 ? "Verdana" : "Tahoma", 8.0 + i % 5, static_cast<int16_t>(i % 3 ? 400 : 700), 0, i % 4 == 0,
                 i % 5 == 0, false});
    cmd.SetBackColor(static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF);
    cmd.SetForeColor(static_cast<uint32_t>(i * 40503u) & 0xFFFFFF);
    cmd.SetEnabled(i % 7 != 0);
    cmd.Refresh();
  });
  DestroyWindow(form);
}

TEST(HandleCycles, AThousandDownloads) {
  UpdateServerSetting server(Server() + L"/multi");
  const ComPtr<_ClsInfo> info = Info();
  ExpectNothingLeftAfter("ShowReportABugPath download", SoakFactor() * 1000, [&](int) {
    Bstr address;
    ASSERT_EQ(info->ShowReportABugPath(address.put()), S_OK);
    ASSERT_NE(address.get(), nullptr);
  });
}

}  // namespace
}  // namespace tesk::wine_test
