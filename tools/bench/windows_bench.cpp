// Timing tool for the standard windows under Wine, each figure beside its yardstick from the
// same run: ShowAboutUs to the window's first complete paint against the system's own About box
// (ShellAboutW) timed the same way; ShowShortcutKeysForm with 32,767 shortcuts to its first
// complete paint against a system list view filled item by item with the same rows;
// ShowReportABug to its window painted against ShowReportABugPath alone (the same fetch
// without the window); a cmd button's repaint and redraw against a system BUTTON of the same
// size and a window that paints nothing; a DPI change of the About window against opening it;
// and GDI and USER objects and private bytes before and after 200 open/close cycles of each
// window. The update server must be set to one that names a page (bench.sh does).
// usage: windows_bench <TeskLumoraLib.dll>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

#include "TeskLumoraLib.h"
#include "button/cmd.h"
#include "common/dpi_move.h"
#include "common/module_objects.h"
#include "common/timing.h"
#include "win32/ui/cmd_window.h"

namespace {

using Microsoft::WRL::ComPtr;
using tesk::tools::Median;
using tesk::tools::MedianMicroseconds;
using tesk::tools::Now;

std::wstring Caption(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

BOOL CALLBACK ChildHasUpdate(HWND child, LPARAM found) {
  if (GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool NothingLeftToPaint(HWND window) {
  bool pending = GetUpdateRect(window, nullptr, FALSE) != 0;
  EnumChildWindows(window, ChildHasUpdate, reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

// What the message hook does with the thread's windows: for each caption (a prefix), the
// action to take once that window is on screen, enabled and completely painted.
struct Rule {
  std::wstring caption;
  void (*act)(HWND);
};
std::vector<Rule> rules;
double paintedAt = 0;

LRESULT CALLBACK OnMessage(int code, WPARAM removed, LPARAM message) {
  const MSG* msg = reinterpret_cast<const MSG*>(message);
  const HWND top = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
  if (code == HC_ACTION && removed == PM_REMOVE && top && IsWindowVisible(top)) {
    // Posted messages come before paints: one after each paint tells when the last is done.
    if (msg->message == WM_PAINT) {
      PostMessageW(top, WM_NULL, 0, 0);
    } else if (IsWindowEnabled(top) && NothingLeftToPaint(top)) {
      const std::wstring caption = Caption(top);
      for (const Rule& rule : rules) {
        if (caption.rfind(rule.caption, 0) == 0 && !GetPropW(top, L"BenchSeen")) {
          SetPropW(top, L"BenchSeen", reinterpret_cast<HANDLE>(1));
          paintedAt = Now();
          rule.act(top);
          break;
        }
      }
    }
  }
  return CallNextHookEx(nullptr, code, removed, message);
}

// A showing the hook missed is closed after two seconds, so that one lost message costs a
// sample rather than the run.
int rescued = 0;
void CALLBACK Rescue(HWND, UINT, UINT_PTR, DWORD) {
  for (const wchar_t* caption :
       {L"Technical Support", L"What's New", L"About Bench", L"Shortcut Keys...",
        L"Report a Bug"}) {
    if (const HWND window = FindWindowW(nullptr, caption)) {
      ++rescued;
      PostMessageW(window, WM_CLOSE, 0, 0);
      return;
    }
  }
}

void Close(HWND window) {
  RemovePropW(window, L"BenchSeen");
  PostMessageW(window, WM_CLOSE, 0, 0);
}

void Press(HWND window, const wchar_t* caption) {
  const HWND button = FindWindowExW(window, nullptr, nullptr, caption);
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void ShowAbout(_ClsInfo* info) {
  BSTR name = SysAllocString(L"Bench");
  VARIANT result;
  VariantInit(&result);
  info->ShowAboutUs(name, name, name, VARIANT_TRUE, &result);
  SysFreeString(name);
}

// Moves the window to a screen of 144 DPI and back 16 times as the system would, timing each
// change from the message to the window completely painted again, then closes it.
std::vector<double> dpiChanges;
void ChangeDpiAndClose(HWND window) {
  for (int i = 0; i < 32; ++i) {
    const int dpi = i % 2 ? 96 : 144;
    const double start = Now();
    tesk::tools::MoveToDpi(window, dpi);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    dpiChanges.push_back((Now() - start) * 1000);
  }
  Close(window);
}

void ShowWhatNew(_ClsInfo* info) {
  BSTR text = SysAllocString(L"Version 1\r\n- first\r\n- second");
  VARIANT result;
  VariantInit(&result);
  info->ShowWhatNew(text, &result);
  SysFreeString(text);
}

// Rows of a large shortcut list: runs of eight shortcuts per main menu.
std::vector<std::wstring> ShortcutRow(int row) {
  return {L"Menu " + std::to_wstring(row / 8), L"Command " + std::to_wstring(row),
          L"Ctrl+Shift+F" + std::to_wstring(row % 12 + 1)};
}

constexpr int kMostShortcuts = 32767;

void ShowManyShortcuts(_ClsInfo* info) {
  static BSTR list = [] {
    std::wstring text;
    for (int row = 0; row < kMostShortcuts; ++row) {
      const auto cells = ShortcutRow(row);
      text += (row ? L"^" : L"") + cells[0] + L"|" + cells[1] + L"|" + cells[2];
    }
    return SysAllocString(text.c_str());
  }();
  VARIANT result;
  VariantInit(&result);
  info->ShowShortcutKeysForm(&list, &result);
}

// The yardstick for the list: a window holding a system list view filled the ordinary way,
// item by item, with the same rows and its columns fitted by the list view itself.
LRESULT CALLBACK PlainListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ShowPlainListView() {
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainListProcedure;
    windowClass.lpszClassName = L"BenchPlainList";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  const HWND window = CreateWindowExW(0, L"BenchPlainList", L"Plain List", WS_OVERLAPPEDWINDOW,
                                      0, 0, 620, 400, nullptr, nullptr, nullptr, nullptr);
  const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10,
                                    10, 580, 320, window, nullptr, nullptr, nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  for (int c = 0; c < 3; ++c) {
    std::wstring header = L"Column";
    column.pszText = header.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  for (int row = 0; row < kMostShortcuts; ++row) {
    auto cells = ShortcutRow(row);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = cells[0].data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < 3; ++c) {
      item.iSubItem = c;
      item.pszText = cells[c].data();
      SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
  }
  for (int c = 0; c < 3; ++c) ListView_SetColumnWidth(list, c, LVSCW_AUTOSIZE);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

// Milliseconds from the call to the window completely painted, median of `runs` showings.
template <typename Show>
double TimeToPainted(const wchar_t* caption, Show&& show, int runs = 32) {
  rules = {{caption, Close}};
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const int rescuedBefore = rescued;
    const double start = Now();
    show();
    // A showing the rescue closed has no time of its own.
    if (run >= 2 && rescued == rescuedBefore) times.push_back((paintedAt - start) * 1000);
  }
  return times.empty() ? 0 : Median(times);
}

// The About window opens the support window; once that is closed, the About window is closed.
void ShowAboutAndSupport(_ClsInfo* info) {
  rules = {{L"About Bench",
            [](HWND about) {
              rules[0].act = Close;
              Press(about, L"Tech. Support...");
            }},
           {L"Technical Support", [](HWND support) {
              RemovePropW(FindWindowW(nullptr, L"About Bench"), L"BenchSeen");
              Close(support);
            }}};
  ShowAbout(info);
}

void ShowReportABug(_ClsInfo* info) {
  BSTR empty = nullptr;
  info->ShowReportABug(&empty);
  SysFreeString(empty);
}

double ReportABugPathMilliseconds(_ClsInfo* info) {
  return MedianMicroseconds(15, 1, [&] {
    BSTR address = nullptr;
    info->ShowReportABugPath(&address);
    SysFreeString(address);
  }) / 1000;
}

struct Counts {
  DWORD gdi;
  DWORD user;
};

// The process's private bytes: its committed private memory, PagefileUsage on Windows. Wine
// leaves PrivateUsage at 0 and answers PagefileUsage with the resident anonymous memory.
double PrivateKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage / 1024.0;
}

// How many more objects the process could still make: what Wine offers where its
// GetGuiResources answers 0. Fewer after the cycles means objects were left behind.
template <typename Make, typename Free>
DWORD Headroom(Make make, Free free) {
  std::vector<decltype(make())> made;
  while (auto object = make()) made.push_back(object);
  for (auto object : made) free(object);
  return static_cast<DWORD>(made.size());
}

Counts GuiObjects(bool headroom) {
  if (!headroom) {
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
  }
  return {Headroom([] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN r) { DeleteObject(r); }),
          Headroom([] { return CreateMenu(); }, [](HMENU m) { DestroyMenu(m); })};
}

constexpr int kCycles = 200;

template <typename Cycle>
void CountCycles(const wchar_t* name, Cycle&& cycle) {
  // The first showings fill the one-time caches (the system's fonts among them).
  for (int i = 0; i < 3; ++i) cycle();
  const bool headroom = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0;
  const Counts before = GuiObjects(headroom);
  const double privateBefore = PrivateKilobytes();
  for (int i = 0; i < kCycles; ++i) cycle();
  const double privateAfter = PrivateKilobytes();
  const Counts after = GuiObjects(headroom);
  if (headroom) {
    std::wprintf(
        L"%ls, %d open/close cycles: room for GDI objects %lu -> %lu, USER objects "
        L"%lu -> %lu (GetGuiResources answers 0 here), private bytes %.0f -> %.0f KiB\n",
        name, kCycles, before.gdi, after.gdi, before.user, after.user, privateBefore,
        privateAfter);
    return;
  }
  std::wprintf(L"%ls, %d open/close cycles: GDI objects %lu -> %lu, USER objects %lu -> %lu, "
               L"private bytes %.0f -> %.0f KiB\n",
               name, kCycles, before.gdi, after.gdi, before.user, after.user, privateBefore,
               privateAfter);
}

// The floors under every repaint: a window whose WM_PAINT only begins and ends the paint, and
// one that fills its client area with a single PatBlt, the least a paint that shows pixels does.
LRESULT CALLBACK FloorPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  if (GetWindowLongPtrW(window, GWLP_USERDATA)) {
    PatBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, WHITENESS);
  }
  EndPaint(window, &paint);
  return 0;
}

HWND CreateFloorWindow(HWND parent, int x, bool fills) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_DBLCLKS | CS_PARENTDC;  // as the cmd's class and the BUTTON's
  windowClass.lpfnWndProc = FloorPaint;
  windowClass.lpszClassName = L"TeskBenchFloor";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, x,
                                      10, 88, 21, parent, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, fills);
  return window;
}

// The About window's "System Info..." button.
HWND CreateSystemInfoCmd(HWND parent) {
  tesk::win32::CmdWindowOptions options;
  const HWND window = tesk::win32::CreateCmdWindow(parent, 1, {10, 10, 98, 31}, options);
  tesk::button::Cmd& cmd = *tesk::win32::CmdOfWindow(window);
  cmd.SetFont({"MS Sans Serif", 8.25, 400, 0, false, false, false});
  cmd.SetCaption("System Info...");
  cmd.SetButtonType(3);
  cmd.SetColorScheme(1);
  cmd.SetBackColor(0xF0F0F0);
  cmd.SetBackOver(0xF0F0F0);
  cmd.SetMaskColor(0xC0C0C0);
  cmd.SetUseMaskColor(true);
  return window;
}

// Each window's repaint, measured in turn: the median microseconds of each.
std::vector<double> RepaintMicroseconds(const std::vector<HWND>& windows) {
  std::vector<std::function<void()>> repaints;
  for (const HWND window : windows) {
    repaints.push_back([window] {
      InvalidateRect(window, nullptr, TRUE);
      UpdateWindow(window);
    });
  }
  return tesk::tools::MedianMicrosecondsInTurn(101, 20, repaints);
}

// A cmd and a system BUTTON of the same size, each repainted through the system's paint cycle
// beside the floors, and each drawing its look afresh: the cmd's Refresh,
// the BUTTON's WM_PRINTCLIENT into a memory context of its size.
void CompareButtonRedraws() {
  const HWND form = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 60,
                                    nullptr, nullptr, nullptr, nullptr);
  const HWND cmdWindow = CreateSystemInfoCmd(form);
  const HWND system =
      CreateWindowExW(0, L"BUTTON", L"System Info...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 110,
                      10, 88, 21, form, nullptr, nullptr, nullptr);
  SendMessageW(system, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  const std::vector<double> repaint = RepaintMicroseconds(
      {CreateFloorWindow(form, 210, false), CreateFloorWindow(form, 310, true), cmdWindow, system});
  const double floor = repaint[0];
  std::wprintf(
      L"repaint of an 88 x 21 window through WM_PAINT (InvalidateRect + UpdateWindow), medians "
      L"taken in turn: painting nothing %.1f us (the floor), one PatBlt %.1f us (%.2fx), cmd "
      L"%.1f us (%.2fx), system BUTTON %.1f us (%.2fx)\n",
      floor, repaint[1], repaint[1] / floor, repaint[2], repaint[2] / floor, repaint[3],
      repaint[3] / floor);

  tesk::button::Cmd& cmd = *tesk::win32::CmdOfWindow(cmdWindow);
  const HDC screen = GetDC(system);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ previous = SelectObject(memory, CreateCompatibleBitmap(screen, 88, 21));
  const std::vector<double> draw = tesk::tools::MedianMicrosecondsInTurn(
      31, 50, std::vector<std::function<void()>>{[&] { cmd.Refresh(); }, [&] {
        SendMessageW(system, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
      }});
  const double cmdDraw = draw[0], buttonDraw = draw[1];
  DeleteObject(SelectObject(memory, previous));
  DeleteDC(memory);
  ReleaseDC(system, screen);
  std::wprintf(
      L"the same button drawn afresh: cmd Refresh (draws, then paints) %.1f us, system BUTTON "
      L"WM_PRINTCLIENT (draws only) %.1f us (%.2f of the BUTTON's time)\n",
      cmdDraw, buttonDraw, cmdDraw / buttonDraw);
  DestroyWindow(form);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: windows_bench <TeskLumoraLib.dll>\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  CoInitialize(nullptr);
  {
    ComPtr<_ClsInfo> info = tesk::tools::CreateClsInfo(LoadLibraryW(argv[1]));
    if (!info) {
      std::fwprintf(stderr, L"cannot create ClsInfo from %ls\n", argv[1]);
      return 1;
    }
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
    const UINT_PTR rescue = SetTimer(nullptr, 0, 2000, Rescue);
    CountCycles(L"About window", [&] {
      rules = {{L"About Bench", Close}};
      ShowAbout(info.Get());
    });
    CountCycles(L"About + technical-support windows", [&] { ShowAboutAndSupport(info.Get()); });
    CountCycles(L"What's New window", [&] {
      rules = {{L"What's New", Close}};
      ShowWhatNew(info.Get());
    });
    CountCycles(L"Shortcut Keys window (3 shortcuts)", [&] {
      rules = {{L"Shortcut Keys...", Close}};
      BSTR list = SysAllocString(L"File|Open|Ctrl+O^File|Save|Ctrl+S^Edit|Copy|Ctrl+C");
      VARIANT result;
      VariantInit(&result);
      info->ShowShortcutKeysForm(&list, &result);
      SysFreeString(list);
    });
    CountCycles(L"Report a Bug window", [&] {
      rules = {{L"Report a Bug", Close}};
      ShowReportABug(info.Get());
    });
    const double ours = TimeToPainted(L"About Bench", [&] { ShowAbout(info.Get()); });
    const double system = TimeToPainted(
        L"About Bench", [] { ShellAboutW(nullptr, L"Bench", nullptr, nullptr); });
    std::wprintf(
        L"ShowAboutUs to the window completely painted: %.2f ms; ShellAboutW the same "
        L"way: %.2f ms (%.2f of the system's time)\n",
        ours, system, ours / system);
    rules = {{L"About Bench", ChangeDpiAndClose}};
    ShowAbout(info.Get());
    const double change = Median(dpiChanges);
    std::wprintf(
        L"About window moved between 96 and 144 DPI, to completely painted again: %.2f ms "
        L"(%.2f of opening it)\n",
        change, change / ours);
    const double keys =
        TimeToPainted(L"Shortcut Keys...", [&] { ShowManyShortcuts(info.Get()); }, 8);
    const double report = TimeToPainted(L"Report a Bug", [&] { ShowReportABug(info.Get()); });
    const double path = ReportABugPathMilliseconds(info.Get());
    std::wprintf(
        L"ShowReportABug to the window completely painted: %.1f ms; ShowReportABugPath alone: "
        L"%.1f ms (the window's own cost %.1f ms)\n",
        report, path, report - path);
    const double plain = TimeToPainted(L"Plain List", ShowPlainListView, 3);
    std::wprintf(
        L"ShowShortcutKeysForm with %d shortcuts to the window completely painted: %.1f ms; "
        L"a system list view filled item by item with them: %.1f ms (%.2f of its time)\n",
        kMostShortcuts, keys, plain, keys / plain);

    KillTimer(nullptr, rescue);
    UnhookWindowsHookEx(hook);
    if (rescued) std::wprintf(L"(%d showings closed by the two-second rescue)\n", rescued);
  }
  CompareButtonRedraws();
  CoUninitialize();
  return 0;
}
