#pragma once
// The cmd button as screen readers and UI automation see it: the IAccessible of its window's
// client area. The button's own facts (role, name, shortcut, states, default action) come from
// the control; where it stands and what surrounds it, from the system's standard object for
// the window. A client may hold the object longer than the window lives: the window
// disconnects it when it goes, and every call after that answers CO_E_OBJNOTCONNECTED.

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>

#include "button/accessible_button.h"
#include "button/cmd.h"

namespace tesk::win32 {

class CmdAccessible final : public IAccessible, public IOleWindow {
 public:
  // One reference, the caller's.
  static HRESULT Create(HWND window, const button::Cmd& cmd,
                        Microsoft::WRL::ComPtr<CmdAccessible>& created);
  CmdAccessible(const CmdAccessible&) = delete;
  CmdAccessible& operator=(const CmdAccessible&) = delete;

  // The window is going: forget it and its control.
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, through the type information of the system's accessibility library
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // IAccessible: the button's own facts
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  // IAccessible: the window's place among others, as the standard object knows it
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_ ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_ ? standard_->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_ ? standard_->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_ ? standard_->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_ ? standard_->get_accDescription(child, description) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_ ? standard_->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_ ? standard_->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_ ? standard_->get_accFocus(focus) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_ ? standard_->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_ ? standard_->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_ ? standard_->accLocation(left, top, width, height, child)
                     : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_ ? standard_->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_ ? standard_->accHitTest(left, top, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_ ? standard_->put_accName(child, name) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_ ? standard_->put_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }

  // IOleWindow, by which WindowFromAccessibleObject finds the window
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  CmdAccessible(HWND window, const button::Cmd& cmd, Microsoft::WRL::ComPtr<IAccessible> standard);
  ~CmdAccessible();

  // S_OK when the call is about the button itself and the window is still there.
  HRESULT CheckSelf(const VARIANT& child) const;
  // The button's facts, after CheckSelf.
  HRESULT Describe(const VARIANT& child, button::AccessibleButton& button) const;
  // One of the button's texts (its name or its shortcut) as the client's string.
  HRESULT DescribedText(const VARIANT& child, std::string button::AccessibleButton::*text,
                        BSTR* out) const;
  // IAccessible's vtable view, loaded from oleacc's type library once for the object's
  // late-bound calls.
  HRESULT VtableTypeInfo(Microsoft::WRL::ComPtr<ITypeInfo>& info);

  HWND window_;
  const button::Cmd* cmd_;
  Microsoft::WRL::ComPtr<IAccessible> standard_;
  Microsoft::WRL::ComPtr<ITypeInfo> vtableInfo_;
  LONG references_ = 1;
};

// The accessible object of one cmd window: made on the first request, the same one handed
// out on every later request, and disconnected when the window (and this owner) goes.
class CmdAccessibleOwner {
 public:
  CmdAccessibleOwner(HWND window, const button::Cmd& cmd) : window_(window), cmd_(cmd) {}
  ~CmdAccessibleOwner() {
    if (object_) object_->Disconnect();
  }
  CmdAccessibleOwner(const CmdAccessibleOwner&) = delete;
  CmdAccessibleOwner& operator=(const CmdAccessibleOwner&) = delete;

  // The answer to WM_GETOBJECT for the client area; 0 when no object can be made, so that
  // the system answers with its standard one.
  LRESULT Answer(WPARAM wParam);
  // After a redraw: tells the clients that have read the button when its states changed
  // (checked, pressed, enabled, focused). The system announces caption changes itself.
  void AnnounceChanges();

 private:
  HWND window_;
  const button::Cmd& cmd_;
  Microsoft::WRL::ComPtr<CmdAccessible> object_;
  LONG announcedState_ = 0;
};

}  // namespace tesk::win32
