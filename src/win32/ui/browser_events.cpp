#include "win32/ui/browser_events.h"

#include <exdisp.h>
#include <exdispid.h>

#include <string>

#include "win32/system/text_encoding.h"
#include "windows/report_a_bug_address.h"
#include "windows/report_a_bug_window.h"
#include "windows/web_link.h"

namespace tesk::win32 {
namespace {

// The events' arguments come last first: rgvarg[0] is the last one.
const VARIANT* Argument(const DISPPARAMS& arguments, UINT fromLast) {
  return fromLast < arguments.cArgs ? &arguments.rgvarg[fromLast] : nullptr;
}

std::string TextOf(const VARIANT* argument) {
  if (argument && argument->vt == (VT_BYREF | VT_VARIANT)) argument = argument->pvarVal;
  if (!argument) return "";
  if (argument->vt == VT_BSTR) return Utf8FromBstr(argument->bstrVal);
  if (argument->vt == (VT_BYREF | VT_BSTR)) return Utf8FromBstr(*argument->pbstrVal);
  return "";
}

void Cancel(const DISPPARAMS& arguments, UINT fromLast) {
  const VARIANT* cancel = Argument(arguments, fromLast);
  if (cancel && cancel->vt == (VT_BYREF | VT_BOOL)) *cancel->pboolVal = VARIANT_TRUE;
}

bool MayBrowse(const std::string& address) {
  return IsWebAddress(address) || address == windows::kBlankPage;
}

}  // namespace

HRESULT BrowserEvents::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
      !IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG BrowserEvents::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT BrowserEvents::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BrowserEvents::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* arguments, VARIANT*,
                              EXCEPINFO*, UINT*) {
  if (!arguments) return S_OK;
  switch (member) {
    case DISPID_BEFORENAVIGATE2:  // (window, address, flags, frame, post data, headers, cancel)
      if (!MayBrowse(TextOf(Argument(*arguments, 5)))) Cancel(*arguments, 0);
      break;
    case DISPID_NEWWINDOW3:  // (window, cancel, flags, opener's address, address)
      Cancel(*arguments, 3);
      OpenNewWindow(*arguments);
      break;
    case DISPID_NEWWINDOW2:  // (window, cancel), where NewWindow3 is not fired instead
      Cancel(*arguments, 0);
      break;
    case DISPID_FILEDOWNLOAD: {  // (a document shown in place, cancel)
      const VARIANT* document = Argument(*arguments, 1);
      if (!document || document->vt != VT_BOOL || !document->boolVal) Cancel(*arguments, 0);
      break;
    }
    default:
      break;
  }
  return S_OK;
}

void BrowserEvents::OpenNewWindow(const DISPPARAMS& arguments) {
  const std::string address = TextOf(Argument(arguments, 0));
  if (IsWebAddress(address)) windows::OpenPageInBrowser(programs_, address);
}

}  // namespace tesk::win32
