#include "win32/ui/browser_site.h"

#include <mshtmdid.h>

#include "win32/system/silent_binding_ui.h"

namespace tesk::win32 {
namespace {

// Pages get their scripts and images; no ActiveX control is downloaded or run, no Java applet,
// no behaviour, and the download machinery shows nothing.
constexpr LONG kDownloadControl = DLCTL_DLIMAGES | DLCTL_NO_DLACTIVEXCTLS |
                                  DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_JAVA | DLCTL_NO_BEHAVIORS |
                                  DLCTL_SILENT;

}  // namespace

HRESULT BrowserSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(iid, IID_IServiceProvider)) {
    *object = static_cast<IServiceProvider*>(this);
  } else if (IsEqualIID(iid, __uuidof(IDocHostShowUI))) {
    // The browser asks its site for this one; the refusals answer it.
    return refusals_->QueryInterface(iid, object);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserSite::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = form_;
  return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT position, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO frameInfo) {
  if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
  *frame = this;
  AddRef();
  *document = nullptr;  // the frame is the only window the control deals with
  *position = bounds_;
  *clip = bounds_;
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = form_;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT BrowserSite::OnInPlaceDeactivate() {
  activeObject_.Reset();
  return S_OK;
}

HRESULT BrowserSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  activeObject_ = object;
  return S_OK;
}

HRESULT BrowserSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BrowserSite::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                            EXCEPINFO*, UINT*) {
  if (member != DISPID_AMBIENT_DLCONTROL) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  VariantInit(result);
  result->vt = VT_I4;
  result->lVal = kDownloadControl;
  return S_OK;
}

HRESULT BrowserSite::QueryService(REFGUID service, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualGUID(service, __uuidof(IDownloadManager))) {
    return refusals_->QueryInterface(iid, object);
  }
  return SilentBindingUi::Provide(service, iid, object);
}

}  // namespace tesk::win32
