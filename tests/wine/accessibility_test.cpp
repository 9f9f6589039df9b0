// A window of the library's form layer as a screen reader reads it through oleacc: a label, a
// text box and cmd buttons in every state, and buttons pressed through their default action.

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "win32/ui/cmd_window.h"
#include "win32/ui/win32_forms.h"
#include "window_watch.h"
#include "windows/control_rows.h"

namespace tesk::wine_test {
namespace {

constexpr wchar_t kCaption[] = L"Accessible form";

platform::FormTable AccessibleFormTable() {
  const platform::FormFont font{"Tahoma", 8.25, false, false};
  platform::FormTable table;
  table.caption = "Accessible form";
  table.width = 6000;
  table.height = 3000;
  table.controls = {
      windows::LabelControl("Label1", {120, 120, 3000, 240}, "Release notes", font),
      windows::TextBoxControl("Text1", {120, 480, 3000, 1200}, font),
      windows::ButtonControl("cmdSave", {3600, 480, 1300, 375}, "&Save", font, 2),
      windows::ButtonControl("cmdCheck", {3600, 960, 1300, 375}, "R&&D &log", font, 2),
      windows::ButtonControl("cmdOff", {3600, 1440, 1300, 375}, "Off", font, 2),
  };
  return table;
}

// "Save" closes the form; every click is noted.
class ClickLog final : public platform::FormEvents {
 public:
  void Load(platform::Form& form) override { form.SetText("Text1", "one\ntwo"); }
  void Click(platform::Form& form, const std::string& control) override {
    clicks.push_back(control);
    if (control == "cmdSave") form.Unload();
  }
  std::vector<std::string> clicks;
};

VARIANT Self() {
  VARIANT self;
  V_VT(&self) = VT_I4;
  V_I4(&self) = CHILDID_SELF;
  return self;
}

ComPtr<IAccessible> AccessibleOf(HWND window) {
  ComPtr<IAccessible> object;
  const HRESULT hr = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(object.GetAddressOf()));
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  return object;
}

// What a screen reader reads of a window's client area; texts it lacks read empty.
struct Reading {
  LONG role = -1;
  LONG state = -1;
  Bstr name, value, shortcut, action;
};

void Read(HWND window, Reading& reading) {
  const ComPtr<IAccessible> object = AccessibleOf(window);
  if (!object) return;
  VARIANT number;
  if (object->get_accRole(Self(), &number) == S_OK) reading.role = V_I4(&number);
  if (object->get_accState(Self(), &number) == S_OK) reading.state = V_I4(&number);
  object->get_accName(Self(), reading.name.put());
  object->get_accValue(Self(), reading.value.put());
  object->get_accKeyboardShortcut(Self(), reading.shortcut.put());
  object->get_accDefaultAction(Self(), reading.action.put());
}

// The name as a late-bound client (a script) asks for it, without the optional child.
std::wstring LateBoundName(IAccessible* object) {
  LPOLESTR name = const_cast<LPOLESTR>(L"accName");
  DISPID id = 0;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  DISPPARAMS none{};
  Variant result;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                      nullptr, nullptr);
  EXPECT_EQ(hr, S_OK) << Hr(hr);
  return V_VT(&result) == VT_BSTR ? V_BSTR(&result) : L"";
}

// The windows whose client object announced a change of state.
std::vector<HWND> stateChanges;

void CALLBACK NoteStateChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                              DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) stateChanges.push_back(window);
}

TEST(Accessibility, ClientsReadTheFormsControlsAndPressItsButtons) {
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                      NoteStateChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
  ClickLog events;
  ComPtr<IAccessible> save, check;
  When(kCaption, [&](HWND form) {
    const HWND off = ChildWithText(form, L"Off").window;
    const HWND checkWindow = ChildWithText(form, L"R&&D &log").window;
    win32::CmdOfWindow(checkWindow)->SetCheckBoxBehaviour(true);
    win32::CmdOfWindow(checkWindow)->SetValue(true);
    win32::CmdOfWindow(off)->SetEnabled(false);
    SetFocus(ChildWithText(form, L"&Save").window);
    // How captions read is the native AccessibleButton test's; here what reaches the client.
    using Button = std::tuple<std::wstring, std::wstring, LONG, LONG>;  // name, keys, role, state
    const std::pair<HWND, Button> buttons[] = {
        {GetFocus(),
         {L"Save", L"Alt+S", ROLE_SYSTEM_PUSHBUTTON, kFocusable | STATE_SYSTEM_FOCUSED}},
        {checkWindow,
         {L"R&D log", L"Alt+L", ROLE_SYSTEM_CHECKBUTTON, kFocusable | STATE_SYSTEM_CHECKED}},
        {off, {L"Off", L"", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE}},
    };
    for (const auto& [window, expected] : buttons) {
      Reading button;
      Read(window, button);
      const Button read{button.name.str(), button.shortcut.str(), button.role, button.state};
      EXPECT_EQ(read, expected);
      EXPECT_EQ(button.action.str(), L"Press");
    }
    save = AccessibleOf(GetFocus());
    check = AccessibleOf(checkWindow);
    const ComPtr<IAccessible> disabled = AccessibleOf(off);
    if (!save || !check || !disabled) {
      PostMessageW(form, WM_CLOSE, 0, 0);  // failed already: nothing left to press
      return;
    }
    EXPECT_EQ(LateBoundName(save.Get()), L"Save");

    Reading label, text;
    Read(ChildWithText(form, L"Release notes").window, label);
    EXPECT_EQ(label.name.str(), L"Release notes");
    Read(ChildOfClass(form, L"Edit"), text);
    EXPECT_EQ(text.role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(text.value.str(), L"one\r\ntwo");
    EXPECT_EQ(text.name.str(), L"Release notes") << "named by the label before it";
    EXPECT_TRUE(text.state & STATE_SYSTEM_READONLY);

    EXPECT_EQ(disabled->accDoDefaultAction(Self()), E_FAIL) << "a disabled button is not pressed";
    EXPECT_EQ(check->accDoDefaultAction(Self()), S_OK);
    When(kCaption, [&, checkWindow](HWND) {
      EXPECT_EQ(std::count(stateChanges.begin(), stateChanges.end(), checkWindow), 1)
          << "the press announced once";
      VARIANT state;
      EXPECT_EQ(check->get_accState(Self(), &state), S_OK);
      EXPECT_EQ(V_I4(&state), kFocusable) << "pressed once more: no longer checked";
      EXPECT_EQ(events.clicks, std::vector<std::string>{"cmdCheck"});
      EXPECT_EQ(save->accDoDefaultAction(Self()), S_OK);
      When(kCaption, [](HWND still) {
        ADD_FAILURE() << "pressing \"&Save\" did not close the form";
        PostMessageW(still, WM_CLOSE, 0, 0);
      });
    });
  });
  win32::Win32Forms().ShowModal(AccessibleFormTable(), events);
  ClearWatches();
  UnhookWinEvent(hook);

  EXPECT_EQ(events.clicks, (std::vector<std::string>{"cmdCheck", "cmdSave"}));
  EXPECT_EQ(FindWindowW(nullptr, kCaption), nullptr) << "closed by its button";
  ASSERT_TRUE(save);
  Bstr name;
  EXPECT_EQ(save->get_accName(Self(), name.put()), CO_E_OBJNOTCONNECTED);
  LONG left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(save->accLocation(&left, &top, &width, &height, Self()), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(save->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace tesk::wine_test
