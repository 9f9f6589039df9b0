// The standard windows at the screen's pixels per inch. ctest runs this program at 96, 120, 144
// and 192 (scripts/wine-at-dpi.sh). At each, every window must have its twip size, fonts sized
// for the DPI, every label's text and every button's caption inside its window, and a picture
// that is not stretched grown with the layout; and the same at each other DPI after the window
// is told it moved to a screen of that DPI, and exactly as it opened once it is back.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "window_watch.h"

#include <commctrl.h>

namespace tesk::wine_test {
namespace {

// Runs `measure` on a device context of the window with the window's own font selected.
template <typename Measure>
void WithFontOf(HWND window, Measure&& measure) {
  const HDC dc = GetDC(window);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
  measure(dc);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
}

// The em height of the window's own font, in points at this screen's (or another) DPI.
double FontPoints(HWND window, int dpi = ScreenDpi()) {
  TEXTMETRICW metrics{};
  WithFontOf(window, [&](HDC dc) { GetTextMetricsW(dc, &metrics); });
  return (metrics.tmHeight - metrics.tmInternalLeading) * 72.0 / dpi;
}

void ExpectClientSize(HWND form, SIZE twips, int dpi) {
  RECT client{};
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, Px(twips.cx, dpi));
  EXPECT_EQ(client.bottom, Px(twips.cy, dpi));
}

// What of a window depends on its DPI, in a row: its client size, each child's place and font
// size in hundredths of a point, and the columns of a list view.
std::vector<long> LayoutOf(HWND form) {
  RECT client{};
  GetClientRect(form, &client);
  std::vector<long> layout{client.right, client.bottom};
  for (const Child& child : Children(form)) {
    const RECT& r = child.rect;
    const long points = std::lround(FontPoints(child.window) * 100);
    layout.insert(layout.end(), {r.left, r.top, r.right, r.bottom, points});
    if (child.className != L"SysListView32") continue;
    for (int column = 0; ListView_GetColumnWidth(child.window, column); ++column) {
      layout.push_back(ListView_GetColumnWidth(child.window, column));
    }
  }
  return layout;
}

// As the system moves a window to a screen of `dpi`: it asks the window its size there, which
// must be its twips at that DPI with the frame the system gives, and suggests a rectangle of
// that size. Wine keeps its frame at the screen's DPI, so the window has to correct the size.
void MoveToDpi(HWND form, int dpi, SIZE twips) {
  SIZE asked{};
  EXPECT_TRUE(SendMessageW(form, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&asked)));
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectExForDpi(&frame, GetWindowLongW(form, GWL_STYLE), FALSE,
                           GetWindowLongW(form, GWL_EXSTYLE), dpi);
  EXPECT_EQ(asked.cx - (frame.right - frame.left), Px(twips.cx, dpi));
  EXPECT_EQ(asked.cy - (frame.bottom - frame.top), Px(twips.cy, dpi));
  RECT suggested{0, 0, asked.cx, asked.cy};
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The window's icons at the sizes the system gives icons at `dpi`.
void ExpectIconsSizedFor(HWND form, int dpi) {
  for (const auto& [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
    const auto handle = reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, which, 0));
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(handle, &icon));
    BITMAP bitmap{};
    GetObjectW(icon.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetricsForDpi(metric, dpi)) << "icon " << which;
  }
}

// The box the text takes in the child's own font, drawn as it is: labels break it into lines as
// a STATIC window does, buttons centre their captions and underline the access key.
void ExpectTextInside(const Child& child, bool label) {
  RECT client{};
  GetClientRect(child.window, &client);
  const UINT flags = DT_WORDBREAK | (label ? DT_EXPANDTABS | DT_NOPREFIX : DT_CENTER);
  RECT text{0, 0, client.right, 0};
  WithFontOf(child.window, [&](HDC dc) {
    DrawTextW(dc, child.text.c_str(), -1, &text, flags | DT_CALCRECT);
  });
  EXPECT_LE(text.right, client.right) << "too wide";
  EXPECT_LE(text.bottom, client.bottom) << "too tall";
}

void ExpectLaidOut(HWND form, const StandardWindow& window, int dpi) {
  ExpectClientSize(form, window.twips, dpi);
  ExpectIconsSizedFor(form, dpi);
  for (const Child& child : Children(form)) {
    if (!IsWindowVisible(child.window) || child.className == L"Shell Embedding") continue;
    SCOPED_TRACE(Narrow(child.text));
    // Every font of these windows is between 8.25 and 11.25 points: 8 to 12 allows rounding.
    EXPECT_NEAR(FontPoints(child.window, dpi), 10.0, 2.0) << "font not sized for the DPI";
    const bool label = _wcsicmp(child.className.c_str(), L"Static") == 0;
    if (label || child.className == L"TeskLumoraCmd") ExpectTextInside(child, label);
  }
  const POINT corner = window.pictureCorner;
  if (corner.x) {
    EXPECT_NE(ClientPixel(form, Px(corner.x, dpi) - 2, Px(corner.y, dpi) - 2), RGB(255, 255, 255))
        << "the picture does not reach its corner";
  }
}

TEST(HighDpi, EveryWindowHasItsTwipSizeAndRoomForItsTexts) {
  if (const char* wanted = std::getenv("TESK_DPI")) {
    ASSERT_EQ(ScreenDpi(), std::atoi(wanted)) << "Wine did not take the DPI";
  }
  SetProduct(L"TESKBANKREC");
  const UpdateServerSetting noServer(L"http://127.0.0.1:9");  // the bug report opens at once
  for (const StandardWindow& window : kStandardWindows) {
    SCOPED_TRACE(Narrow(window.caption));
    WhileShown(window, [&](HWND form) {
      ExpectLaidOut(form, window, ScreenDpi());
      const std::vector<long> opened = LayoutOf(form);
      for (const int dpi : {96, 120, 144, 192}) {
        if (dpi == ScreenDpi()) continue;
        SCOPED_TRACE("moved to " + std::to_string(dpi) + " DPI and back");
        MoveToDpi(form, dpi, window.twips);
        ExpectLaidOut(form, window, dpi);
        MoveToDpi(form, ScreenDpi(), window.twips);
        EXPECT_EQ(LayoutOf(form), opened);
      }
    });
  }
}

// A window the user made larger keeps its size in inches on a screen of another DPI.
TEST(HighDpi, AResizedWindowKeepsItsSizeInTwips) {
  WhileShown(kStandardWindows[3], [](HWND form) {  // Shortcut Keys
    RECT outer{};
    GetWindowRect(form, &outer);
    SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left + 60, outer.bottom - outer.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form, &client);
    const SIZE twips{MulDiv(client.right, 1440, ScreenDpi()),
                     MulDiv(client.bottom, 1440, ScreenDpi())};
    const int dpi = ScreenDpi() == 120 ? 144 : 120;
    MoveToDpi(form, dpi, twips);
    ExpectClientSize(form, twips, dpi);
  });
}

}  // namespace
}  // namespace tesk::wine_test
