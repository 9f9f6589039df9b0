#pragma once
// A form's web browser: the system's web-browser control (Shell.Explorer) embedded in place
// in the form through BrowserSite, its events taken by BrowserEvents from creation to close.
// Closing it releases every interface it handed out.

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

#include "win32/ui/browser_events.h"
#include "win32/ui/browser_site.h"

namespace tesk::win32 {

class FormBrowser {
 public:
  // Creates the control and activates it in place over `bounds` of `form`. Throws
  // std::runtime_error when the system has no browser control or it refuses to activate.
  FormBrowser(HWND form, const RECT& bounds);
  ~FormBrowser();
  FormBrowser(const FormBrowser&) = delete;
  FormBrowser& operator=(const FormBrowser&) = delete;

  HWND Window() const;
  void Navigate(const std::wstring& address);
  void Move(const RECT& bounds);
  // Gives the page the keys it handles itself: Tab through its links, its accelerators.
  // True when the page took the message.
  bool TranslateAccelerator(MSG& message);

 private:
  // OLE for the thread while the control lives: hosts that only initialised COM still get the
  // clipboard and drag and drop the control expects.
  struct OleScope {
    OleScope() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
      if (initialised) OleUninitialize();
    }
    bool initialised;
  };

  void ConnectEvents();
  void Close();

  OleScope ole_;
  BrowserSite* site_;
  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace_;
  Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> active_;
  Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
  Microsoft::WRL::ComPtr<IConnectionPoint> eventSource_;
  DWORD eventCookie_ = 0;
  HWND window_ = nullptr;
};

// Hands a key message meant for the page's window, or a window inside it, to the page's active
// object; true when the page took it, and no one else may see it then.
bool HandKeyToPage(MSG& message, HWND page, IOleInPlaceActiveObject* active);

}  // namespace tesk::win32
