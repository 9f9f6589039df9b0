// The library in a process where the system DLLs it loads on first use cannot load (the test
// runs with Wine told to load none of comctl32, comdlg32, oleacc, urlmon and wininet): creating
// an object and every window without a grid still work; what needs a missing DLL fails as an
// automation error naming it, or, where the operation never fails, gives its empty result.

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

TEST(MissingSystemLibraries, FailOnlyWhatNeedsThemAndCleanly) {
  WhileShown({L"About x", [] { return ShowAbout(); }}, [](HWND about) {
    const HWND button = ChildOfClass(about, L"TeskLumoraCmd");
    EXPECT_EQ(SendMessageW(button, WM_GETOBJECT, 0, OBJID_CLIENT), 0)
        << "a screen reader gets no object, and the button goes on";
  });

  EXPECT_TRUE(FAILED(ShowShortcutKeys(L"File|Open|Ctrl+O")));
  const std::wstring description = ErrorDescription();
  EXPECT_NE(description.find(L"comctl32.dll cannot be used"), std::wstring::npos)
      << Narrow(description);

  UpdateServerSetting server(Server());
  Bstr address;
  EXPECT_EQ(Info()->ShowReportABugPath(address.put()), S_OK);
  EXPECT_EQ(address.str(), L"");
}

}  // namespace
}  // namespace tesk::wine_test
