#pragma once
// What the Wine tests share about windows: the registered ClsInfo, a host window of their own,
// steps run once a window with a caption shows, and the child windows of a form read back.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "wine_test_support.h"

namespace tesk::wine_test {

ComPtr<_ClsInfo> Info();
void SetProduct(const wchar_t* symbol);

// How many times over the long runs go: TESK_SOAK, 1 unless `make soak` sets it.
int SoakFactor();

// The screen's pixels per inch, as Wine read them when the process started; twips as pixels
// on this screen, or at another DPI.
int ScreenDpi();
int Px(int twips, int dpi = ScreenDpi());

// A top-level window of the host's own, to see it disabled while a window of the library is up.
using OwnWindow = std::unique_ptr<HWND__, decltype(&DestroyWindow)>;
OwnWindow HostWindow();

// Runs `step` from a timer of the test's thread once a visible top-level window with this
// caption exists. A step that never finds its window fails after ten seconds and closes what
// the library left open.
void When(const std::wstring& caption, std::function<void(HWND)> step);
void CloseWhenShown(const std::wstring& caption);
void ClearWatches();

// Runs `action`, pressing OK on a message box with this title that shows meanwhile; the box's
// text, or "" when none showed.
std::wstring DismissMessageBoxDuring(const std::wstring& title, const std::function<void()>& action);

// While it lives, closes every window and message box of the library that shows on this thread,
// from the same timer, and counts each once. Other windows are noted, not touched.
class LibraryWindowCloser : NoCopy {
 public:
  LibraryWindowCloser();
  ~LibraryWindowCloser();

  static inline int windows = 0;
  static inline int boxes = 0;
  static inline std::set<std::wstring> strangers;
};

// The windows shown through the shared ClsInfo as most tests want them: About for product "x"
// by default, What's New with the given text, Shortcut Keys with the given list.
HRESULT ShowAbout(const std::wstring& product = L"x", const std::wstring& version = L"");
HRESULT ShowWhatNew(const std::wstring& text);
HRESULT ShowShortcutKeys(const std::wstring& list);
HRESULT ShowReportABug();

// The five standard windows, with what the tests know of each: its client size in twips, the
// bottom-right corner of its picture in twips ({0, 0} for none), what Tab reaches in turn
// (buttons by caption, else the window class) and the button that closes it (null for none).
// Technical Support opens over the About window, by its button kSupportOpener.
struct StandardWindow {
  const wchar_t* caption;
  std::function<HRESULT()> show;  // for Technical Support, the About window's
  bool overAbout = false;
  SIZE twips{};
  POINT pictureCorner{};
  std::vector<std::wstring> tabOrder{};
  const wchar_t* closer = nullptr;
};
constexpr wchar_t kAboutCaption[] = L"About Tesk Bank Reconciler";
constexpr wchar_t kSupportOpener[] = L"Tech. Support...";
extern const StandardWindow kStandardWindows[5];

// Shows the window; once it shows, runs `steps` on it and closes it (and the About window
// under it). Fails when it never showed.
void WhileShown(const StandardWindow& window, const std::function<void(HWND)>& steps);

struct Child {
  HWND window;
  std::wstring className;
  std::wstring text;
  RECT rect;  // in the form's client coordinates
};

std::vector<Child> Children(HWND form);
Child ChildWithText(HWND form, const std::wstring& text);
// The first child of the window class (any case); null when there is none.
HWND ChildOfClass(HWND form, const std::wstring& className);
// The text a label shows, which may be long; the window's class.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The colour at a point of the form's client area once it is painted.
COLORREF ClientPixel(HWND form, int x, int y);
// A click posted to the control's centre.
void Click(HWND control);

}  // namespace tesk::wine_test
