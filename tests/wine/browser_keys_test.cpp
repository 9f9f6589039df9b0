// Keys for the bug-report page: a key message meant for the browser's window or one inside it
// goes to the page's active object, any other message does not, and the modal loop passes
// what the page took to no one else. Without its HTML engine Wine shows no page, so the page
// here is a window of the test's with a stand-in active object; the routing and the loop are
// the library's.

#include "win32/ui/form_browser.h"
#include "win32/ui/modal_loop.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

class StandInPage final : public Unowned<IOleInPlaceActiveObject> {
 public:
  HRESULT answer = S_OK;
  int keys = 0;

  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override {
    ++keys;
    return answer;
  }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
};

HWND Child(HWND parent, DWORD exStyle, const wchar_t* text) {
  return CreateWindowExW(exStyle, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 80,
                         20, parent, nullptr, nullptr, nullptr);
}

TEST(BrowserKeys, GoToThePageOnlyFromInsideItAndNoFurtherWhenItTookThem) {
  const HWND form = CreateWindowExW(0, L"STATIC", L"Keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                    0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND other = Child(form, 0, L"Other");
  const HWND page = Child(form, WS_EX_CONTROLPARENT, L"Page");
  const HWND link = Child(page, 0, L"Link");  // a window inside the page, as its document's
  StandInPage stand;
  const struct {
    UINT message;
    HWND target;
    HRESULT answer;
    bool handed, taken;
  } cases[] = {
      {WM_KEYDOWN, link, S_OK, true, true},      {WM_CHAR, page, S_OK, true, true},
      {WM_SYSKEYUP, link, S_OK, true, true},     {WM_KEYDOWN, link, S_FALSE, true, false},
      {WM_KEYDOWN, other, S_OK, false, false},   {WM_KEYDOWN, form, S_OK, false, false},
      {WM_LBUTTONDOWN, link, S_OK, false, false},
  };
  for (const auto& c : cases) {
    stand.answer = c.answer;
    MSG message{c.target, c.message, VK_TAB, 0, 0, {}};
    const int before = stand.keys;
    EXPECT_EQ(win32::HandKeyToPage(message, page, &stand), c.taken) << c.message;
    EXPECT_EQ(stand.keys - before, c.handed ? 1 : 0) << c.message;
  }
  MSG key{link, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(win32::HandKeyToPage(key, page, nullptr)) << "no active object";

  // Tab on the link: the dialog manager would move the focus to the other button.
  for (const HRESULT answer : {S_OK, S_FALSE}) {
    stand.answer = answer;
    SetFocus(link);
    PostMessageW(link, WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(form, WM_APP, 0, 0);
    bool ended = false;
    win32::RunModalLoop(form, [&] { return ended; }, [&](MSG& message) {
      ended = message.message == WM_APP;
      return ended || win32::HandKeyToPage(message, page, &stand);
    });
    EXPECT_EQ(GetFocus(), answer == S_OK ? link : other) << answer;
  }
  DestroyWindow(form);
}

}  // namespace
}  // namespace tesk::wine_test
