// The standard windows at the screen's pixels per inch. ctest runs this program at 96, 120, 144
// and 192 (scripts/wine-at-dpi.sh). At each, every window must have its twip size, fonts sized
// for the DPI, every label's text and every button's caption inside its window, and a picture
// that is not stretched grown with the layout.

#include <cstdlib>
#include <functional>
#include <string>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

constexpr wchar_t kAbout[] = L"About Tesk Bank Reconciler";

struct Window {
  const wchar_t* caption;
  SIZE client;          // twips
  POINT pictureCorner;  // twips: the bottom-right corner of a picture; {0, 0} for none
  std::function<HRESULT()> show;
  const wchar_t* over = nullptr;  // the window it opens over, closed after it
};

HRESULT ShowAboutWithVersion() { return ShowAbout(L"Tesk Bank Reconciler", L"10.2.3"); }

HRESULT ShowTechSupport() {
  When(kAbout, [](HWND about) { Click(ChildWithText(about, L"Tech. Support...").window); });
  return ShowAboutWithVersion();
}

HRESULT ShowVersionNotes() { return ShowWhatNew(L"Version 10.2.3\r\n- Every window at every DPI."); }

HRESULT ShowSomeShortcutKeys() {
  return ShowShortcutKeys(L"File|Open Company|Ctrl+O^Reports|Balance Sheet|Alt+B");
}

// Labels break their text into lines as a STATIC window does; buttons centre their captions
// and underline the access key.
void ExpectTextInside(const Child& child, bool label) {
  RECT client{};
  GetClientRect(child.window, &client);
  const UINT flags = DT_WORDBREAK | (label ? DT_EXPANDTABS | DT_NOPREFIX : DT_CENTER);
  const SIZE text = TextExtent(child.window, child.text, client.right, flags);
  EXPECT_LE(text.cx, client.right) << "too wide";
  EXPECT_LE(text.cy, client.bottom) << "too tall";
  // Every font of these windows is between 8.25 and 11.25 points.
  const double points = FontPoints(child.window);
  EXPECT_GE(points, 8.0) << "font not sized for the DPI";
  EXPECT_LE(points, 12.0) << "font not sized for the DPI";
}

void ExpectLaidOut(HWND form, const Window& window) {
  ExpectClientSize(form, window.client.cx, window.client.cy);
  for (const Child& child : Children(form)) {
    const bool label = _wcsicmp(child.className.c_str(), L"Static") == 0;
    const bool button = child.className == L"TeskLumoraCmd";
    if (!IsWindowVisible(child.window) || !(label || button)) continue;
    SCOPED_TRACE(std::string(child.text.begin(), child.text.end()));
    ExpectTextInside(child, label);
  }
  const POINT corner = window.pictureCorner;
  if (corner.x) {
    EXPECT_NE(ClientPixel(form, Px(corner.x) - 2, Px(corner.y) - 2), RGB(255, 255, 255))
        << "the picture does not reach its corner";
  }
}

TEST(HighDpi, EveryWindowHasItsTwipSizeAndRoomForItsTexts) {
  if (const char* wanted = std::getenv("TESK_DPI")) {
    ASSERT_EQ(ScreenDpi(), std::atoi(wanted)) << "Wine did not take the DPI";
  }
  SetProduct(L"TESKBANKREC");
  const UpdateServerSetting noServer(L"http://127.0.0.1:9");  // the bug report opens at once
  const Window windows[] = {
      {kAbout, {7515, 5460}, {1050, 4500}, ShowAboutWithVersion},
      {L"Technical Support", {6945, 4815}, {}, ShowTechSupport, kAbout},
      {L"What's New", {9345, 4815}, {9315, 2055}, ShowVersionNotes},
      {L"Shortcut Keys...", {9015, 5625}, {}, ShowSomeShortcutKeys},
      {L"Report a Bug", {4680, 4080}, {}, ShowReportABug},
  };
  for (const Window& window : windows) {
    SCOPED_TRACE(std::string(window.caption, window.caption + wcslen(window.caption)));
    bool seen = false;
    When(window.caption, [&](HWND form) {
      seen = true;
      ExpectLaidOut(form, window);
      PostMessageW(form, WM_CLOSE, 0, 0);
      if (window.over) When(window.over, [](HWND under) { PostMessageW(under, WM_CLOSE, 0, 0); });
    });
    EXPECT_EQ(window.show(), S_OK);
    EXPECT_TRUE(seen);
  }
}

}  // namespace
}  // namespace tesk::wine_test
