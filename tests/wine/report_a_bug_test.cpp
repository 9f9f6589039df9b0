// The bug-report window as a host sees it, against the update server on 127.0.0.1: the page
// the server names opened in the system's browser control, which covers the client area
// through every resize; an empty result. The local copy's deletion is the download test's.

#include <urlmon.h>

#include <string>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

// The pages the server was asked for, one a line.
std::string PagesAsked() {
  const std::wstring list = TempFile(L"tesk-pages-asked.txt");
  URLDownloadToFileW(nullptr, (Server() + L"/pages-asked").c_str(), list.c_str(), 0, nullptr);
  const std::string pages = FileBytes(list);
  DeleteFileW(list.c_str());
  return pages;
}

// The browser's window covers the client area exactly.
void ExpectBrowserFills(HWND form, HWND browser, const char* after) {
  RECT client{}, child{};
  GetClientRect(form, &client);
  GetWindowRect(browser, &child);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&child), 2);
  EXPECT_TRUE(EqualRect(&client, &child)) << after;
}

TEST(ReportABugWindow, OpensTheServersPageInABrowserThatFillsTheWindowThroughEveryResize) {
  UpdateServerSetting setting(Server() + L"/browser");
  bool seen = false;
  When(L"Report a Bug", [&](HWND form) {
    seen = true;
    const HWND browser = ChildOfClass(form, L"Shell Embedding");
    ASSERT_NE(browser, nullptr) << "the web-browser control";
    ExpectBrowserFills(form, browser, "shown");
    for (const SIZE size : {SIZE{300, 200}, SIZE{900, 700}, SIZE{120, 90}}) {
      SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
      ExpectBrowserFills(form, browser, "sized");
    }
    ShowWindow(form, SW_MAXIMIZE);
    ExpectBrowserFills(form, browser, "maximised");
    ShowWindow(form, SW_MINIMIZE);
    ShowWindow(form, SW_RESTORE);
    ExpectBrowserFills(form, browser, "restored");
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  Bstr result;
  EXPECT_EQ(Info()->ShowReportABug(result.put()), S_OK);
  EXPECT_TRUE(seen);
  EXPECT_NE(result.get(), nullptr) << "an empty text, not none";
  EXPECT_EQ(result.str(), L"");
  // Without its HTML engine Wine's browser shows nothing, but it does fetch the page.
  EXPECT_NE(PagesAsked().find("/page/report-a-bug\n"), std::string::npos);
}

}  // namespace
}  // namespace tesk::wine_test
