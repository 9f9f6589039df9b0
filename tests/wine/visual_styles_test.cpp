// The library's own activation context: the system controls of its windows are those of common
// controls 6, whatever this program's manifest says (it has none), while the controls this
// program makes itself at the same time stay classic. Wine keeps one comctl32 for both versions
// and registers its list view and header under one unversioned class, so the version shows in
// the controls that common controls 6 take over from user32: the text box and the labels. That
// the text stays read-only and the grid still bands, centres and bolds is windows_test.cpp's and
// shortcut_keys_test.cpp's, which run on these very controls.

#include "window_watch.h"

#include <string>
#include <vector>

namespace tesk::wine_test {
namespace {

// The file name, in lower case, of the module whose code handles the window's messages: for
// an EDIT or a STATIC, user32.dll in the classic version, comctl32.dll in version 6.
std::wstring ProcedureModule(HWND window) {
  const auto procedure = reinterpret_cast<LPCWSTR>(GetClassLongPtrW(window, GCLP_WNDPROC));
  HMODULE module = nullptr;
  wchar_t path[MAX_PATH] = {};
  if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         procedure, &module)) {
    GetModuleFileNameW(module, path, MAX_PATH);
  }
  CharLowerW(path);
  const std::wstring file(path);
  return file.substr(file.find_last_of(L'\\') + 1);
}

std::wstring HostsOwn(const wchar_t* className) {
  const HWND own = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  const std::wstring module = ProcedureModule(own);
  DestroyWindow(own);
  return module;
}

TEST(VisualStyles, TheLibrarysControlsAreCommonControls6AndTheHostsOwnStayClassic) {
  std::vector<std::wstring> modules;  // the library's text box and label, then the host's
  WhileShown({L"What's New", [] { return ShowWhatNew(L"themed"); }}, [&](HWND form) {
    modules = {ProcedureModule(ChildOfClass(form, L"Edit")),
               ProcedureModule(ChildOfClass(form, L"Static")),
               HostsOwn(L"EDIT"), HostsOwn(L"STATIC")};  // while the library's window is up
  });
  EXPECT_EQ(modules, (std::vector<std::wstring>{L"comctl32.dll", L"comctl32.dll", L"user32.dll",
                                                L"user32.dll"}));
}

}  // namespace
}  // namespace tesk::wine_test
