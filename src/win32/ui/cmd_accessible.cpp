#include "win32/ui/cmd_accessible.h"

#include <new>
#include <string>
#include <utility>

#include "button/accessible_button.h"
#include "win32/automation/server_lifetime.h"
#include "win32/system/system_library.h"
#include "win32/system/text_encoding.h"

using Microsoft::WRL::ComPtr;

// IAccessible's identifier is taken with __uuidof throughout: oleacc's import library also
// names IID_IAccessible, as data of oleacc.dll, and linking that name without dllimport would
// give the bytes of its import thunk.

namespace tesk::win32 {
namespace {

constexpr wchar_t kDefaultAction[] = L"Press";

// Late-bound callers leave the optional child out, which arrives as a missing argument.
bool IsSelf(const VARIANT& child) {
  switch (V_VT(&child)) {
    case VT_I4:
      return V_I4(&child) == CHILDID_SELF;
    case VT_EMPTY:
      return true;
    case VT_ERROR:
      return V_ERROR(&child) == DISP_E_PARAMNOTFOUND;
    default:
      return false;
  }
}

// An empty text is a property the button lacks: S_FALSE and no string, as clients expect.
HRESULT TextResult(const std::string& text, BSTR* out) {
  if (text.empty()) return S_FALSE;
  try {
    *out = BstrFromUtf8(text);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

LONG StateBits(const button::AccessibleButton& button) {
  LONG state = 0;
  if (button.unavailable) state |= STATE_SYSTEM_UNAVAILABLE;
  if (button.focusable) state |= STATE_SYSTEM_FOCUSABLE;
  if (button.focused) state |= STATE_SYSTEM_FOCUSED;
  if (button.pressed) state |= STATE_SYSTEM_PRESSED;
  if (button.checked) state |= STATE_SYSTEM_CHECKED;
  return state;
}

// IAccessible's type information, from the type library inside the system's oleacc.dll: the
// dispatch view for clients that ask for it, the vtable view through which late-bound calls
// are made.
HRESULT AccessibleTypeInfo(bool vtableView, ComPtr<ITypeInfo>& info) {
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(L"oleacc.dll", REGKIND_NONE, library.GetAddressOf());
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(__uuidof(IAccessible), info.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !vtableView) return hr;
  HREFTYPE vtable = 0;  // the dual interface's vtable view is the type its dispatch view calls -1
  hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable);
  if (FAILED(hr)) return hr;
  ComPtr<ITypeInfo> view;
  hr = info->GetRefTypeInfo(vtable, view.GetAddressOf());
  if (SUCCEEDED(hr)) info = std::move(view);
  return hr;
}

}  // namespace

HRESULT CmdAccessible::Create(HWND window, const button::Cmd& cmd, ComPtr<CmdAccessible>& created) {
  // oleacc is loaded only once a client asks: most hosts never meet a screen reader.
  static const auto createStandard = SystemFunction<decltype(&CreateStdAccessibleObject)>(
      L"oleacc.dll", "CreateStdAccessibleObject");
  if (!createStandard) return HRESULT_FROM_WIN32(GetLastError());
  ComPtr<IAccessible> standard;
  const HRESULT hr = createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                    reinterpret_cast<void**>(standard.GetAddressOf()));
  if (FAILED(hr)) return hr;
  auto* object = new (std::nothrow) CmdAccessible(window, cmd, std::move(standard));
  if (!object) return E_OUTOFMEMORY;
  created.Attach(object);
  return S_OK;
}

// A client may hold the object after the host has let go of the library: it keeps the DLL
// loaded until it is released.
CmdAccessible::CmdAccessible(HWND window, const button::Cmd& cmd, ComPtr<IAccessible> standard)
    : window_(window), cmd_(&cmd), standard_(std::move(standard)) {
  ObjectCreated();
}

CmdAccessible::~CmdAccessible() { ObjectDestroyed(); }

void CmdAccessible::Disconnect() {
  window_ = nullptr;
  cmd_ = nullptr;
  standard_.Reset();
  vtableInfo_.Reset();
}

HRESULT CmdAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, __uuidof(IAccessible))) {
    *object = static_cast<IAccessible*>(this);
  } else if (IsEqualIID(iid, IID_IOleWindow)) {
    *object = static_cast<IOleWindow*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CmdAccessible::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT CmdAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT CmdAccessible::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ComPtr<ITypeInfo> dispatch;
  const HRESULT hr = AccessibleTypeInfo(false, dispatch);
  if (SUCCEEDED(hr)) *info = dispatch.Detach();
  return hr;
}

HRESULT CmdAccessible::VtableTypeInfo(ComPtr<ITypeInfo>& info) {
  if (!vtableInfo_) {
    const HRESULT hr = AccessibleTypeInfo(true, vtableInfo_);
    if (FAILED(hr)) return hr;
  }
  info = vtableInfo_;
  return S_OK;
}

HRESULT CmdAccessible::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  ComPtr<ITypeInfo> vtable;
  const HRESULT hr = VtableTypeInfo(vtable);
  return FAILED(hr) ? hr : DispGetIDsOfNames(vtable.Get(), names, count, ids);
}

HRESULT CmdAccessible::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  ComPtr<ITypeInfo> vtable;
  const HRESULT hr = VtableTypeInfo(vtable);
  if (FAILED(hr)) return hr;
  return DispInvoke(static_cast<IAccessible*>(this), vtable.Get(), id, flags, params, result,
                    exception, argumentError);
}

HRESULT CmdAccessible::CheckSelf(const VARIANT& child) const {
  if (!cmd_) return CO_E_OBJNOTCONNECTED;
  return IsSelf(child) ? S_OK : E_INVALIDARG;
}

HRESULT CmdAccessible::Describe(const VARIANT& child, button::AccessibleButton& button) const {
  const HRESULT hr = CheckSelf(child);
  if (FAILED(hr)) return hr;
  try {
    button = button::DescribeButton(*cmd_);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT CmdAccessible::DescribedText(const VARIANT& child,
                                     std::string button::AccessibleButton::*text,
                                     BSTR* out) const {
  if (!out) return E_POINTER;
  *out = nullptr;
  button::AccessibleButton button;
  const HRESULT hr = Describe(child, button);
  return FAILED(hr) ? hr : TextResult(button.*text, out);
}

HRESULT CmdAccessible::get_accName(VARIANT child, BSTR* name) {
  return DescribedText(child, &button::AccessibleButton::name, name);
}

HRESULT CmdAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return DescribedText(child, &button::AccessibleButton::shortcut, shortcut);
}

HRESULT CmdAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  button::AccessibleButton button;
  const HRESULT hr = Describe(child, button);
  if (FAILED(hr)) return hr;
  V_VT(role) = VT_I4;
  V_I4(role) = button.role == button::AccessibleRole::CheckButton ? ROLE_SYSTEM_CHECKBUTTON
                                                                  : ROLE_SYSTEM_PUSHBUTTON;
  return S_OK;
}

// Whether the window shows on screen is the standard object's to say.
HRESULT CmdAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  button::AccessibleButton button;
  HRESULT hr = Describe(child, button);
  if (FAILED(hr)) return hr;
  VARIANT self;
  V_VT(&self) = VT_I4;
  V_I4(&self) = CHILDID_SELF;
  VARIANT windowState;
  VariantInit(&windowState);
  hr = standard_->get_accState(self, &windowState);
  const LONG shown = SUCCEEDED(hr) && V_VT(&windowState) == VT_I4
                         ? V_I4(&windowState) & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)
                         : 0;
  V_VT(state) = VT_I4;
  V_I4(state) = StateBits(button) | shown;
  return S_OK;
}

HRESULT CmdAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!action) return E_POINTER;
  *action = nullptr;
  const HRESULT hr = CheckSelf(child);
  if (FAILED(hr)) return hr;
  *action = SysAllocString(kDefaultAction);
  return *action ? S_OK : E_OUTOFMEMORY;
}

// Posted rather than sent: a click that opens a modal window would otherwise keep the client
// waiting inside this call until that window closed. The button takes it as its access key,
// so the container sees the same click event as from the mouse.
HRESULT CmdAccessible::accDoDefaultAction(VARIANT child) {
  button::AccessibleButton button;
  const HRESULT hr = Describe(child, button);
  if (FAILED(hr)) return hr;
  if (button.unavailable) return E_FAIL;  // a disabled button ignores the click
  return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : HRESULT_FROM_WIN32(GetLastError());
}

HRESULT CmdAccessible::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : CO_E_OBJNOTCONNECTED;
}

LRESULT CmdAccessibleOwner::Answer(WPARAM wParam) {
  if (!object_) {
    if (FAILED(CmdAccessible::Create(window_, cmd_, object_))) return 0;
    announcedState_ = StateBits(button::DescribeButton(cmd_));
  }
  static const auto lresultFromObject =
      SystemFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!lresultFromObject) return 0;
  return lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_.Get()));
}

// Only once a client has asked for the button: before that no one listens for it.
void CmdAccessibleOwner::AnnounceChanges() {
  if (!object_) return;
  const LONG state = StateBits(button::DescribeButton(cmd_));
  if (state == announcedState_) return;
  announcedState_ = state;
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace tesk::win32
