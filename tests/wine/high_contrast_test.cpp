// A window of the library follows a high-contrast theme switched on and off while it is open
// (common/high_contrast_theme.h gives the library the theme as Wine cannot).

#include <array>

#include "common/high_contrast_theme.h"
#include "window_watch.h"

#include <commctrl.h>

namespace tesk::wine_test {
namespace {

constexpr COLORREF kFace = RGB(0, 255, 0), kText = RGB(255, 0, 255), kWindow = RGB(0, 0, 255);

tools::HighContrastTheme Theme() {
  return tools::HighContrastTheme(
      {{COLOR_BTNFACE, kFace}, {COLOR_BTNTEXT, kText}, {COLOR_WINDOW, kWindow},
       {COLOR_WINDOWTEXT, RGB(255, 255, 0)}, {COLOR_HIGHLIGHT, RGB(255, 0, 0)},
       {COLOR_HIGHLIGHTTEXT, RGB(0, 255, 255)}, {COLOR_GRAYTEXT, RGB(128, 128, 0)}});
}

// The OK button's edge and face, an empty label and the window's background.
using Looks = std::array<COLORREF, 4>;

Looks LooksOf(HWND form) {
  const HWND ok = ChildWithText(form, L"&OK").window;
  RECT r{};
  GetClientRect(ok, &r);
  const HWND version = ChildWindowFromPoint(form, POINT{Px(5500), Px(1180)});
  return {ClientPixel(ok, 0, r.bottom / 2), ClientPixel(ok, 2, r.bottom / 2),
          ClientPixel(version, 2, 2), ClientPixel(form, Px(3000), Px(3000))};
}

// An open window follows the theme both ways; a window opened under it starts in its colours.
TEST(HighContrast, WindowsTakeTheThemesColoursOpenOrOpeningAndGiveThemBack) {
  WhileShown({L"About x", [] { return ShowAbout(); }}, [](HWND form) {
    const Looks before = LooksOf(form);
    {
      const tools::HighContrastTheme theme = Theme();
      ASSERT_TRUE(theme.Patched()) << "the library calls SystemParametersInfoW";
      const Looks themed{kText, kFace, kWindow, kWindow};
      WaitUntil([&] { return LooksOf(form) == themed; }, 10000);
      EXPECT_EQ(LooksOf(form), themed);
    }
    WaitUntil([&] { return LooksOf(form) == before; }, 10000);
    EXPECT_EQ(LooksOf(form), before) << "as before";
  });

  const tools::HighContrastTheme theme = Theme();
  WhileShown(kStandardWindows[3], [](HWND form) {  // Shortcut Keys
    const HWND grid = ChildOfClass(form, L"SysListView32");
    EXPECT_EQ(ListView_GetTextColor(grid), RGB(255, 255, 0)) << "the theme's window text";
  });
}

}  // namespace
}  // namespace tesk::wine_test
