#include "window_tour.h"

#include <dlgs.h>
#include <oleacc.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/dpi_move.h"
#include "common/screenshot.h"

namespace tesk::demo {
namespace {

constexpr UINT kPause = 1200;  // how long each window stays on screen, in milliseconds

// What the tour does next, once the window `find` looks for is on screen and has rested.
struct Step {
  std::function<HWND()> find;
  std::function<void(HWND)> act;
};
std::vector<Step> steps;
const char* folder = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (steps.empty()) return;
  const HWND window = steps.front().find();
  if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) return;
  const auto act = std::move(steps.front().act);
  steps.erase(steps.begin());
  act(window);
}

void Then(const std::wstring& caption, std::function<void(HWND)> act) {
  steps.push_back({[caption] { return FindWindowW(nullptr, caption.c_str()); }, std::move(act)});
}

// The system's save dialog: a dialog box with the file-name box cmb13, whatever its caption.
void ThenSaveDialog(std::function<void(HWND)> act) {
  const auto find = [] {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr))) {
      if (GetDlgItem(dialog, cmb13)) return dialog;
    }
    return HWND{};
  };
  steps.push_back({find, std::move(act)});
}

HWND ChildWithText(HWND window, const wchar_t* text) {
  return FindWindowExW(window, nullptr, nullptr, text);
}

// Presses a cmd button as the mouse does.
void Press(HWND window, const wchar_t* caption) {
  const HWND button = ChildWithText(window, caption);
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void Capture(HWND window, const char* name) {
  if (!folder) return;
  UpdateWindow(window);
  const std::string path = std::string(folder) + "\\" + name;
  if (tools::SaveScreenshot(window, path.c_str(), true))
    std::printf("    screenshot: %s\n", path.c_str());
}

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  wchar_t className[8] = {};
  GetClassNameW(window, className, 8);
  if (lstrcmpiW(className, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Types `path` into the save dialog's file-name box (cmb13, which holds an edit somewhere
// inside) and presses Save.
void SaveAs(HWND dialog, const std::wstring& path) {
  HWND edit = nullptr;
  EnumChildWindows(GetDlgItem(dialog, cmb13), FindEdit, reinterpret_cast<LPARAM>(&edit));
  SetWindowTextW(edit, path.c_str());
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// A host's shortcut list as the maker's products pass it: "menu|item|keys" records.
std::wstring DemoShortcuts() {
  const wchar_t* const records[] = {
      L"File|New Company|Ctrl+N", L"File|Open Company|Ctrl+O", L"File|Save|Ctrl+S",
      L"File|Print|Ctrl+P", L"File|Print Preview|Ctrl+F2", L"File|Backup|Ctrl+B",
      L"File|Exit|Alt+F4", L"Edit|Undo|Ctrl+Z", L"Edit|Cut|Ctrl+X", L"Edit|Copy|Ctrl+C",
      L"Edit|Paste|Ctrl+V", L"Edit|Find|Ctrl+F", L"Edit|Find Next|F3",
      L"Vouchers|Receipt|F6", L"Vouchers|Payment|F5", L"Vouchers|Journal|F7",
      L"Vouchers|Contra|F4", L"Vouchers|Sales|F8", L"Vouchers|Purchase|F9",
      L"Vouchers|Credit Note|Ctrl+F8", L"Vouchers|Debit Note|Ctrl+F9",
      L"Reports|Balance Sheet|Alt+B", L"Reports|Profit & Loss|Alt+L",
      L"Reports|Trial Balance|Alt+T", L"Reports|Day Book|Alt+D", L"Reports|Ledger|Alt+G",
      L"Reports|Stock Summary|Alt+K", L"Reports|Tax Summary (TVA/MwSt)|Alt+X",
      L"Payroll|Employees|Ctrl+E", L"Payroll|Pay Slip|Ctrl+Shift+P",
      L"Payroll|Attendance|Ctrl+Shift+A", L"Tools|Calculator|Ctrl+Alt+C",
      L"Tools|Options|Ctrl+Alt+O", L"Tools|Shortcut Keys|Ctrl+K", L"Help|Contents|F1",
      L"Help|What's New|Ctrl+F1", L"Help|About|Ctrl+Shift+F1",
  };
  std::wstring list;
  for (const wchar_t* record : records) list += (list.empty() ? L"" : L"^") + std::wstring(record);
  return list;
}

// What a screen reader announces for each of the window's buttons.
void ReadButtonsAloud(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    Microsoft::WRL::ComPtr<IAccessible> button;
    if (lstrcmpW(className, L"TeskLumoraCmd") != 0 ||
        FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(button.GetAddressOf())))) {
      continue;
    }
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    BSTR name = nullptr, shortcut = nullptr, action = nullptr;
    button->get_accName(self, &name);
    button->get_accKeyboardShortcut(self, &shortcut);
    button->get_accDefaultAction(self, &action);
    std::wprintf(L"    a screen reader reads: push button \"%ls\", %ls, action \"%ls\"\n",
                 name ? name : L"", shortcut ? shortcut : L"no shortcut", action ? action : L"");
    for (BSTR text : {name, shortcut, action}) SysFreeString(text);
  }
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// As in a per-monitor-aware host: the window moved to a screen of 144 DPI and back to this one.
void MoveToAnotherScreen(HWND window) {
  const HDC screen = GetDC(nullptr);
  const int here = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const SIZE opened = ClientSize(window);
  tools::MoveToDpi(window, 144);
  const SIZE moved = ClientSize(window);
  tools::MoveToDpi(window, here);
  const SIZE back = ClientSize(window);
  std::wprintf(L"    moved to a 144-DPI screen: %ld x %ld pixels (%ld x %ld at %d DPI); back: "
               L"%ld x %ld\n",
               moved.cx, moved.cy, opened.cx, opened.cy, here, back.cx, back.cy);
}

void Report(const wchar_t* call, HRESULT hr) {
  std::wprintf(L"  %ls returned %#lx after the window closed\n", call,
               static_cast<unsigned long>(hr));
}

}  // namespace

void RunWindowTour(_ClsInfo* info, const char* screenshotFolder) {
  folder = screenshotFolder;
  const UINT_PTR timer = SetTimer(nullptr, 0, kPause, Tick);

  BSTR symbol = SysAllocString(L"TESKLEDGER");
  info->SetProductName(&symbol);
  SysFreeString(symbol);
  std::wprintf(L"  SetProductName(\"TESKLEDGER\"), ShowAboutUs(\"tesk-ledger\", ..., \"4.2\"):\n");
  Then(L"About Tesk Ledger", [](HWND about) {
    std::wprintf(L"    \"About Tesk Ledger\" is up; the demo presses \"Tech. Support...\"\n");
    Capture(about, "about.bmp");
    ReadButtonsAloud(about);
    MoveToAnotherScreen(about);
    Press(about, L"Tech. Support...");
    Then(L"Technical Support", [about](HWND support) {
      std::wprintf(
          L"    \"Technical Support\" is up over it; the demo presses \"E&xit\", then \"&OK\"\n");
      Capture(support, "tech-support.bmp");
      Press(support, L"E&xit");
      Then(L"About Tesk Ledger", [](HWND again) { Press(again, L"&OK"); });
    });
  });
  BSTR product = SysAllocString(L"tesk-ledger");
  BSTR user = SysAllocString(L"Demo user");
  BSTR version = SysAllocString(L"4.2");
  VARIANT result;
  VariantInit(&result);
  Report(L"ShowAboutUs", info->ShowAboutUs(product, user, version, VARIANT_TRUE, &result));

  std::wprintf(L"  ShowWhatNew(the changes of this version):\n");
  Then(L"What's New", [](HWND tip) {
    std::wprintf(L"    \"What's New\" is up; the demo presses \"&Close\"\n");
    Capture(tip, "whats-new.bmp");
    Press(tip, L"&Close");
  });
  BSTR news = SysAllocString(
      L"Version 4.2\r\n\r\n- Shortcut keys can be exported to a spreadsheet.\r\n"
      L"- The About window shows the product's own artwork.\n- Faster start-up.\r"
      L"- Line breaks of every kind (CR LF, LF, CR) show as breaks.");
  Report(L"ShowWhatNew", info->ShowWhatNew(news, &result));

  std::wstring workbook = (folder ? std::wstring(folder, folder + std::strlen(folder))
                                  : std::wstring(L".")) + L"\\shortcut-keys.xls";
  std::replace(workbook.begin(), workbook.end(), L'/', L'\\');  // as a user types a path
  std::wprintf(L"  ShowShortcutKeysForm(37 shortcuts in 8 menus):\n");
  Then(L"Shortcut Keys...", [&workbook](HWND keys) {
    std::wprintf(L"    \"Shortcut Keys...\" is up; the demo presses \"&Export\"\n");
    Capture(keys, "shortcut-keys.bmp");
    Press(keys, L"&Export");
    ThenSaveDialog([&workbook](HWND dialog) {
      std::wprintf(L"    the save dialog is up; the demo saves as %ls\n", workbook.c_str());
      SaveAs(dialog, workbook);
      Then(L"Shortcut Keys...", [&workbook](HWND again) {
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (GetFileAttributesExW(workbook.c_str(), GetFileExInfoStandard, &file)) {
          std::wprintf(L"    exported: %lu bytes; the demo presses \"E&xit\"\n",
                       static_cast<unsigned long>(file.nFileSizeLow));
        }
        Press(again, L"E&xit");
      });
    });
  });
  BSTR shortcuts = SysAllocString(DemoShortcuts().c_str());
  Report(L"ShowShortcutKeysForm", info->ShowShortcutKeysForm(&shortcuts, &result));

  std::wprintf(L"  ShowReportABug():\n");
  Then(L"Report a Bug", [](HWND report) {
    std::wprintf(L"    \"Report a Bug\" is up with the page the update server names; the demo "
                 L"closes it\n");
    Capture(report, "report-a-bug.bmp");
    PostMessageW(report, WM_CLOSE, 0, 0);
  });
  BSTR empty = nullptr;
  Report(L"ShowReportABug", info->ShowReportABug(&empty));

  KillTimer(nullptr, timer);
  for (BSTR text : {product, user, version, news, shortcuts, empty}) SysFreeString(text);
}

}  // namespace tesk::demo
