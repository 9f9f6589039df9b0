#include "window_watch.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace tesk::wine_test {
namespace {

// One timer of the test's thread runs every watch: the steps waiting for their window, and the
// closing of the library's windows while a LibraryWindowCloser lives. Modal loops dispatch it, so
// it reaches windows and message boxes that a call under test keeps open.
struct Watch {
  std::wstring caption;
  std::function<void(HWND)> step;
  bool required;  // whether it fails when its window never shows in ten seconds
  DWORD since;
};
std::vector<Watch> watches;
int closers = 0;
std::set<HWND> closing;

bool IsLibraryCaption(const std::wstring& caption) {
  for (const StandardWindow& window : kStandardWindows) {
    if (caption == window.caption) return true;
  }
  return caption.rfind(L"About ", 0) == 0;  // for any product
}

// Runs the first step whose window shows; whether one ran.
bool RunAShownStep() {
  for (size_t i = 0; i < watches.size(); ++i) {
    const HWND window = FindWindowW(nullptr, watches[i].caption.c_str());
    if (!window || !IsWindowVisible(window)) continue;
    const auto step = std::move(watches[i].step);
    watches.erase(watches.begin() + static_cast<std::ptrdiff_t>(i));
    step(window);
    return true;
  }
  return false;
}

// The modal window a failed step leaves open is the thread's one enabled window (its owners are
// disabled while it runs), whatever its caption.
BOOL CALLBACK CloseIfEnabled(HWND window, LPARAM) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void FailStaleWatches() {
  const auto stale = std::find_if(watches.begin(), watches.end(), [](const Watch& watch) {
    return watch.required && GetTickCount() - watch.since > 10000;
  });
  if (stale == watches.end()) return;
  ADD_FAILURE() << "no window \"" << Narrow(stale->caption) << "\"";
  watches.clear();
  EnumThreadWindows(GetCurrentThreadId(), CloseIfEnabled, 0);
}

BOOL CALLBACK CloseIfTheLibrarys(HWND window, LPARAM) {
  if (!IsWindowVisible(window) || closing.count(window)) return TRUE;
  const std::wstring caption = TextOf(window);
  if (caption == L"TeskLumoraLib" && ClassOf(window) == L"#32770") {  // a message box
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    ++LibraryWindowCloser::boxes;
  } else if (IsLibraryCaption(caption)) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ++LibraryWindowCloser::windows;
  } else {
    LibraryWindowCloser::strangers.insert(caption);
    return TRUE;
  }
  closing.insert(window);
  return TRUE;
}

void CloseLibraryWindows() {
  for (auto it = closing.begin(); it != closing.end();) {
    it = IsWindow(*it) ? std::next(it) : closing.erase(it);
  }
  EnumThreadWindows(GetCurrentThreadId(), CloseIfTheLibrarys, 0);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (RunAShownStep()) return;
  FailStaleWatches();
  if (closers > 0) CloseLibraryWindows();
}

void StartTicking() {
  static const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  (void)timer;
}

void AddWatch(std::wstring caption, std::function<void(HWND)> step, bool required) {
  StartTicking();
  watches.push_back({std::move(caption), std::move(step), required, GetTickCount()});
}

// The last non-empty static text of a message box: its message.
std::wstring MessageOf(HWND box) {
  std::wstring message;
  for (const Child& child : Children(box)) {
    if (_wcsicmp(child.className.c_str(), L"Static") == 0 && !child.text.empty()) {
      message = child.text;
    }
  }
  return message;
}

}  // namespace

LibraryWindowCloser::LibraryWindowCloser() {
  ++closers;
  StartTicking();
}
LibraryWindowCloser::~LibraryWindowCloser() { --closers; }

void When(const std::wstring& caption, std::function<void(HWND)> step) {
  AddWatch(caption, std::move(step), true);
}

void CloseWhenShown(const std::wstring& caption) {
  When(caption, [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
}

void ClearWatches() { watches.clear(); }

std::wstring DismissMessageBoxDuring(const std::wstring& title, const std::function<void()>& action) {
  std::wstring message;
  AddWatch(title, [&message](HWND box) {
    message = MessageOf(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }, false);
  action();
  watches.erase(std::remove_if(watches.begin(), watches.end(),
                               [&](const Watch& watch) {
                                 return !watch.required && watch.caption == title;
                               }),
                watches.end());
  return message;
}

int SoakFactor() {
  const char* factor = std::getenv("TESK_SOAK");
  return factor ? std::max(1, std::atoi(factor)) : 1;
}

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

OwnWindow HostWindow() {
  return {CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                          nullptr, nullptr, nullptr, nullptr),
          DestroyWindow};
}

std::vector<Child> Children(HWND form) {
  std::vector<Child> children;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    Child c{child, ClassOf(child), TextOf(child), {}};
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&c.rect), 2);
    children.push_back(std::move(c));
  }
  return children;
}

Child ChildWithText(HWND form, const std::wstring& text) {
  for (const Child& child : Children(form)) {
    if (child.text == text) return child;
  }
  ADD_FAILURE() << "no child with that text";
  return {};
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  return std::wstring(name, GetClassNameW(window, name, 64));
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

HWND ChildOfClass(HWND form, const std::wstring& className) {
  for (const Child& child : Children(form)) {
    if (_wcsicmp(child.className.c_str(), className.c_str()) == 0) return child.window;
  }
  return nullptr;
}

COLORREF ClientPixel(HWND form, int x, int y) {
  UpdateWindow(form);
  const HDC dc = GetDC(form);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(form, dc);
  return colour;
}

void Click(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(control, WM_LBUTTONUP, 0, centre);
}

ComPtr<_ClsInfo> Info() {
  static ComPtr<_ClsInfo> info = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  return info;
}

HRESULT ShowAbout(const std::wstring& product, const std::wstring& version) {
  Bstr name(product), user(L"user"), ver(version);
  Variant result;
  V_VT(&result) = VT_I4;
  const HRESULT hr = Info()->ShowAboutUs(name.get(), user.get(), ver.get(), VARIANT_TRUE, &result);
  EXPECT_EQ(V_VT(&result), VT_EMPTY) << "the result is emptied";
  return hr;
}

HRESULT ShowWhatNew(const std::wstring& text) {
  Bstr whatNew(text);
  Variant result;
  return Info()->ShowWhatNew(whatNew.get(), &result);
}

HRESULT ShowShortcutKeys(const std::wstring& list) {
  Bstr text(list);
  Variant result;
  return Info()->ShowShortcutKeysForm(text.put(), &result);
}

HRESULT ShowReportABug() {
  Bstr result;
  return Info()->ShowReportABug(result.put());
}

namespace {
HRESULT ShowBankReconcilerAbout() { return ShowAbout(L"Tesk Bank Reconciler", L"10.2.3"); }
}  // namespace

const StandardWindow kStandardWindows[5] = {
    {kAboutCaption, ShowBankReconcilerAbout, false, {7515, 5460}, {1050, 4500},
     {L"&OK", L"System Info...", kSupportOpener}, L"&OK"},
    {L"Technical Support", ShowBankReconcilerAbout, true, {6945, 4815}, {}, {L"E&xit"}, L"E&xit"},
    {L"What's New", [] { return ShowWhatNew(L"Version 10.2.3\r\n- Every window at every DPI."); },
     false, {9345, 4815}, {9315, 2055}, {L"Edit", L"&Close"}, L"&Close"},
    {L"Shortcut Keys...",
     [] { return ShowShortcutKeys(L"File|Open Company|Ctrl+O^Reports|Balance Sheet|Alt+B"); },
     false, {9015, 5625}, {}, {L"SysListView32", L"&Export", L"E&xit"}, L"E&xit"},
    {L"Report a Bug", ShowReportABug, false, {4680, 4080}, {}, {L"Shell Embedding"}, nullptr},
};

void WhileShown(const StandardWindow& window, const std::function<void(HWND)>& steps) {
  bool shown = false;
  When(window.caption, [&](HWND form) {
    shown = true;
    steps(form);
    PostMessageW(form, WM_CLOSE, 0, 0);
    if (window.overAbout) CloseWhenShown(kAboutCaption);
  });
  if (window.overAbout) {
    When(kAboutCaption, [](HWND about) { Click(ChildWithText(about, kSupportOpener).window); });
  }
  EXPECT_EQ(window.show(), S_OK) << Narrow(window.caption);
  EXPECT_TRUE(shown) << Narrow(window.caption);
  if (!shown) ClearWatches();  // its step holds this call's variables
}

void SetProduct(const wchar_t* symbol) {
  Bstr text(symbol);
  ASSERT_EQ(Info()->SetProductName(text.put()), S_OK);
}

}  // namespace tesk::wine_test
