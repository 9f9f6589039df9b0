#include "window_tour.h"

#include <oleauto.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/screenshot.h"

namespace tesk::demo {
namespace {

constexpr UINT kPause = 1200;  // how long each window stays on screen, in milliseconds

// What the tour does next, once a visible window with `caption` is on screen and has rested.
struct Step {
  std::wstring caption;
  std::function<void(HWND)> act;
};
std::vector<Step> steps;
const char* folder = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (steps.empty()) return;
  const HWND window = FindWindowW(nullptr, steps.front().caption.c_str());
  if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) return;
  const auto act = std::move(steps.front().act);
  steps.erase(steps.begin());
  act(window);
}

void Then(const std::wstring& caption, std::function<void(HWND)> act) {
  steps.push_back({caption, std::move(act)});
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

  KillTimer(nullptr, timer);
  for (BSTR text : {product, user, version, news}) SysFreeString(text);
}

}  // namespace tesk::demo
