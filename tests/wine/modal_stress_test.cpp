// The modal loop under a host that does everything at once from inside a window: calls every
// other operation, lets go of its only object, destroys the window, posts WM_QUIT.

#include <string>
#include <vector>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

HRESULT ShowWhatNew(_ClsInfo* info) {
  Bstr text(L"stress");
  Variant result;
  return info->ShowWhatNew(text.get(), &result);
}

// A host's handler may call every operation and let go of its object; a host that destroys the
// library's window ends the call; a WM_QUIT ends it too, and reaches the host's own loop once the
// window is gone.
TEST(ModalLoop, AHostMayCallEverythingLetGoDestroyTheWindowOrQuitFromInside) {
  UpdateServerSetting server(Server() + L"/browser");
  ComPtr<_ClsInfo> own = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
  const auto canUnload =
      ExportOf<CanUnloadNow>(GetModuleHandleW(L"TeskLumoraLib.dll"), "DllCanUnloadNow");
  ASSERT_NE(canUnload, nullptr);
  _ClsInfo* const info = own.Get();
  const OwnWindow host = HostWindow();
  std::vector<HRESULT> inside;
  HRESULT again = S_OK;
  HRESULT unloadWhileOpen = S_OK;
  When(L"What's New", [&](HWND tip) {
    Bstr list(L"A|b|c"), address, symbol(L"TESKINVOICE"), report;
    Variant result;
    CloseWhenShown(L"Shortcut Keys...");
    inside.push_back(info->ShowShortcutKeysForm(list.put(), &result));
    CloseWhenShown(L"Report a Bug");
    inside.push_back(info->ShowReportABug(report.put()));
    CloseWhenShown(L"About x");
    Bstr name(L"x");
    inside.push_back(info->ShowAboutUs(name.get(), name.get(), name.get(), VARIANT_TRUE, &result));
    inside.push_back(info->ShowReportABugPath(address.put()));
    inside.push_back(info->SetProductName(symbol.put()));
    again = ShowWhatNew(info);
    own.Reset();  // the host's only reference, while the call that opened the window runs
    unloadWhileOpen = canUnload();
    PostMessageW(tip, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(ShowWhatNew(info), S_OK);
  EXPECT_EQ(inside, std::vector<HRESULT>(5, S_OK));
  EXPECT_EQ(again, static_cast<HRESULT>(0x800A0190));
  EXPECT_EQ(unloadWhileOpen, S_FALSE) << "the DLL's code is on the stack";
  EXPECT_TRUE(IsWindowEnabled(host.get()));

  When(L"What's New", [](HWND window) { DestroyWindow(window); });
  EXPECT_EQ(ShowWhatNew(Info().Get()), S_OK);
  When(L"Report a Bug", [](HWND window) { DestroyWindow(window); });
  EXPECT_EQ(ShowReportABug(), S_OK) << "the browser's window went first";
  EXPECT_TRUE(IsWindowEnabled(host.get()));

  When(L"What's New", [](HWND) { PostQuitMessage(7); });
  EXPECT_EQ(ShowWhatNew(Info().Get()), S_OK);
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  EXPECT_FALSE(FindWindowW(nullptr, L"What's New"));
  EXPECT_TRUE(IsWindowEnabled(host.get()));
}

}  // namespace
}  // namespace tesk::wine_test
