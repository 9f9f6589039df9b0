#include "win32/ui/form_browser.h"

#include <stdexcept>

#include "win32/system/unique_resource.h"
#include "win32/system/win32_shell.h"

namespace tesk::win32 {
namespace {

void Require(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw std::runtime_error(what);
}

}  // namespace

FormBrowser::FormBrowser(HWND form, const RECT& bounds) : site_(new BrowserSite(form, bounds)) {
  try {
    Require(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                             reinterpret_cast<void**>(object_.GetAddressOf())),
            "the web-browser control cannot be created");
    Require(object_->SetClientSite(site_), "the web-browser control refuses its site");
    ConnectEvents();
    RECT place = bounds;
    Require(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, form, &place),
            "the web-browser control cannot be activated");
    Require(object_.As(&inPlace_), "the web-browser control has no in-place object");
    Require(object_.As(&browser_), "the web-browser control is no web browser");
    object_.As(&active_);
    inPlace_->GetWindow(&window_);
    // A page's script errors must not pop up message boxes in the host's process.
    browser_->put_Silent(VARIANT_TRUE);
  } catch (...) {
    Close();
    throw;
  }
}

FormBrowser::~FormBrowser() { Close(); }

// Before the first navigation: no page may go anywhere unwatched.
void FormBrowser::ConnectEvents() {
  Microsoft::WRL::ComPtr<IConnectionPointContainer> sources;
  Require(object_.As(&sources), "the web-browser control has no events");
  Require(sources->FindConnectionPoint(DIID_DWebBrowserEvents2, eventSource_.GetAddressOf()),
          "the web-browser control has no browser events");
  static Win32ProgramLauncher programs;  // no state: shared by every sink, outlives them all
  Microsoft::WRL::ComPtr<BrowserEvents> events;
  events.Attach(new BrowserEvents(programs));
  const HRESULT advised = eventSource_->Advise(events.Get(), &eventCookie_);
  if (FAILED(advised)) eventSource_.Reset();
  Require(advised, "the web-browser control refuses its event sink");
}

// In the order OLE wants: events disconnected, deactivated, closed, cut off from its site,
// then let go.
void FormBrowser::Close() {
  if (eventSource_) eventSource_->Unadvise(eventCookie_);
  eventSource_.Reset();
  if (inPlace_) inPlace_->InPlaceDeactivate();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  browser_.Reset();
  active_.Reset();
  inPlace_.Reset();
  object_.Reset();
  if (site_) {
    site_->Release();
    site_ = nullptr;
  }
  window_ = nullptr;
}

HWND FormBrowser::Window() const { return window_; }

void FormBrowser::Navigate(const std::wstring& address) {
  UniqueBstr url(SysAllocStringLen(address.data(), static_cast<UINT>(address.size())));
  VARIANT none;
  VariantInit(&none);
  browser_->Navigate(url.get(), &none, &none, &none, &none);
}

void FormBrowser::Move(const RECT& bounds) {
  site_->SetBounds(bounds);
  inPlace_->SetObjectRects(&bounds, &bounds);
}

bool FormBrowser::TranslateAccelerator(MSG& message) {
  return HandKeyToPage(message, window_,
                       site_->ActiveObject() ? site_->ActiveObject() : active_.Get());
}

bool HandKeyToPage(MSG& message, HWND page, IOleInPlaceActiveObject* active) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !page || !active) {
    return false;
  }
  if (message.hwnd != page && !IsChild(page, message.hwnd)) return false;
  return active->TranslateAccelerator(&message) == S_OK;
}

}  // namespace tesk::win32
