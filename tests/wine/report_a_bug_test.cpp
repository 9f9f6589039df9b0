// The bug-report window as a host sees it, against the update server on 127.0.0.1: the page
// the server names opened in the system's browser control, which covers the client area
// through every resize; an empty result. The local copy's deletion is the download test's.
// Then what the browser may do inside the host: the control, caught on its way to the library,
// shows where it is sent and what the library's site and event sink let it do.

#include <downloadmgr.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <urlmon.h>
#include <wininet.h>

#include <string>

#include "win32/ui/browser_events.h"
#include "window_watch.h"

namespace tesk::wine_test {
namespace {

// The pages the server was asked for, one a line.
std::string PagesAsked() {
  const std::wstring list = TempFile(L"tesk-pages-asked.txt");
  URLDownloadToFileW(nullptr, (Server() + L"/pages-asked").c_str(), list.c_str(), 0, nullptr);
  const std::string pages = FileBytes(list);
  DeleteFileW(list.c_str());
  return pages;
}

// The browser's window covers the client area exactly.
void ExpectBrowserFills(HWND form, HWND browser, const char* after) {
  RECT client{}, child{};
  GetClientRect(form, &client);
  GetWindowRect(browser, &child);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&child), 2);
  EXPECT_TRUE(EqualRect(&client, &child)) << after;
}

TEST(ReportABugWindow, OpensTheServersPageInABrowserThatFillsTheWindowThroughEveryResize) {
  UpdateServerSetting setting(Server() + L"/browser");
  Bstr result;
  const auto show = [&result] { return Info()->ShowReportABug(result.put()); };
  WhileShown({L"Report a Bug", show}, [](HWND form) {
    const HWND browser = ChildOfClass(form, L"Shell Embedding");
    ASSERT_NE(browser, nullptr) << "the web-browser control";
    ExpectBrowserFills(form, browser, "shown");
    for (const SIZE size : {SIZE{300, 200}, SIZE{900, 700}, SIZE{120, 90}}) {
      SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
      ExpectBrowserFills(form, browser, "sized");
    }
    ShowWindow(form, SW_MAXIMIZE);
    ExpectBrowserFills(form, browser, "maximised");
    ShowWindow(form, SW_MINIMIZE);
    ShowWindow(form, SW_RESTORE);
    ExpectBrowserFills(form, browser, "restored");
  });
  EXPECT_NE(result.get(), nullptr) << "an empty text, not none";
  EXPECT_EQ(result.str(), L"");
  // Without its HTML engine Wine's browser shows nothing, but it does fetch the page.
  EXPECT_NE(PagesAsked().find("/page/report-a-bug\n"), std::string::npos);
}

// Where a browser is sent (BeforeNavigate2), and whether a sink before this one cancelled it.
// Lives on the test's stack, connected through an EventConnection.
struct NavigationLog final : Unowned<IDispatch> {
  std::vector<std::pair<std::wstring, bool>> sent;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* arguments,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    if (member == DISPID_BEFORENAVIGATE2) {
      sent.emplace_back(arguments->rgvarg[5].pvarVal->bstrVal, *arguments->rgvarg[0].pboolVal);
    }
    return S_OK;
  }
};

class EventConnection {
 public:
  EventConnection(IUnknown* browser, IDispatch* sink) {
    ComPtr<IConnectionPointContainer> points;
    browser->QueryInterface(IID_PPV_ARGS(&points));
    points->FindConnectionPoint(DIID_DWebBrowserEvents2, &point_);
    point_->Advise(sink, &cookie_);
  }
  ~EventConnection() { point_->Unadvise(cookie_); }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// While it lives, the browser control the library creates comes from the test's class object,
// which makes the system's own and keeps it.
class BrowserCatcher final : public Unowned<IClassFactory> {
 public:
  BrowserCatcher() {
    CoGetClassObject(CLSID_WebBrowser, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&system_));
    CoRegisterClassObject(CLSID_WebBrowser, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                          &registration_);
  }
  ~BrowserCatcher() { CoRevokeClassObject(registration_); }
  IWebBrowser2* Browser() const { return browser_.Get(); }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    system_->CreateInstance(outer, IID_PPV_ARGS(browser_.ReleaseAndGetAddressOf()));
    return browser_->QueryInterface(iid, object);
  }

 private:
  ComPtr<IClassFactory> system_;
  ComPtr<IWebBrowser2> browser_;
  DWORD registration_ = 0;
};

// Once the page shows it goes only to web addresses and the blank page; through the library's
// site the browser learns what it may run and finds its prompts and downloads refused.
TEST(ReportABugWindow, KeepsThePageToTheWebAndItsPromptsOutOfTheHost) {
  UpdateServerSetting setting(Server() + L"/no-such-case");
  BrowserCatcher catcher;
  NavigationLog log;
  WhileShown(kStandardWindows[4], [&](HWND form) {  // Report a Bug
    {
      EventConnection afterTheLibrarys(catcher.Browser(), &log);
      VARIANT none{};
      for (const wchar_t* to :
           {L"javascript:alert(2)", L"http://127.0.0.1:1/next", L"about:blank"}) {
        catcher.Browser()->Navigate(Bstr(to).get(), &none, &none, &none, &none);
      }
      const auto allSent = [&] {
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
        return log.sent.size() >= 3;
      };
      WaitUntil(allSent, 10000);
    }
    ComPtr<IOleObject> object;
    ComPtr<IOleClientSite> site;
    catcher.Browser()->QueryInterface(IID_PPV_ARGS(&object));
    object->GetClientSite(&site);
    ComPtr<IDispatch> ambient;
    site.As(&ambient);
    DISPPARAMS noArguments{};
    VARIANT control{};
    ambient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArguments,
                    &control, nullptr, nullptr);
    // ActiveX controls neither downloaded nor run, no Java, no behaviours; scripts and images on.
    const LONG off = DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_JAVA |
                     DLCTL_NO_BEHAVIORS | DLCTL_NO_SCRIPTS;
    EXPECT_EQ(control.lVal & (off | DLCTL_DLIMAGES), (off & ~DLCTL_NO_SCRIPTS) | DLCTL_DLIMAGES);
    ComPtr<IServiceProvider> services;
    ComPtr<IHttpSecurity> certificates;
    ComPtr<IAuthenticate> passwords;
    ComPtr<IUnknown> downloadManager;
    site.As(&services);
    services->QueryService(IID_IHttpSecurity, IID_PPV_ARGS(&certificates));
    services->QueryService(IID_IAuthenticate, IID_PPV_ARGS(&passwords));
    EXPECT_EQ(services->QueryService(__uuidof(IDownloadManager), __uuidof(IDownloadManager),
                                     reinterpret_cast<void**>(downloadManager.GetAddressOf())),
              S_OK)
        << "so the browser's own download dialog is never used";
    EXPECT_EQ(certificates->OnSecurityProblem(ERROR_INTERNET_INVALID_CA), E_ABORT)
        << "a certificate problem ends the page";
    HWND owner = form;
    LPWSTR user = nullptr, secret = nullptr;
    EXPECT_EQ(passwords->Authenticate(&owner, &user, &secret), E_ACCESSDENIED)
        << "no password, and no prompt for one";
    EXPECT_TRUE(!owner && !user && !secret);
    ComPtr<IDocHostShowUI> boxes;
    site.As(&boxes);
    wchar_t ask[] = L"Your password?";
    LRESULT answer = IDOK;
    EXPECT_EQ(boxes->ShowMessage(form, ask, ask, MB_OKCANCEL, nullptr, 0, &answer), S_OK);
    EXPECT_EQ(answer, IDCANCEL) << "shown by the site, so by no one";
  });
  EXPECT_EQ(log.sent, (std::vector<std::pair<std::wstring, bool>>{
                          {L"javascript:alert(2)", true},
                          {L"http://127.0.0.1:1/next", false},
                          {L"about:blank", false}}))
      << "cancelled by the library's sink before this one saw them";
}

// Fires an event at a sink as the browser does, the arguments last first, and tells whether
// the sink cancelled it.
bool Cancels(IDispatch* sink, DISPID event, std::vector<VARIANT> lastFirst, UINT cancelAt) {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  lastFirst[cancelAt].vt = VT_BYREF | VT_BOOL;
  lastFirst[cancelAt].pboolVal = &cancel;
  DISPPARAMS arguments{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
  sink->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &arguments, nullptr, nullptr, nullptr);
  return cancel == VARIANT_TRUE;
}

struct NotedStarts final : platform::ProgramLauncher {
  std::vector<std::string> commands;
  void Start(const std::string& command, platform::WindowStyle style) override {
    commands.push_back(command + "\t" + std::to_string(static_cast<int>(style)));
  }
};

// Without an HTML engine here no page can open a window or offer a file, so the library's
// event sink is handed those events directly: a new window goes to the user's browser through
// "explorer", in a normal window; a file offered for download is refused.
TEST(ReportABugWindow, SendsNewWindowsToTheUsersBrowserAndRefusesDownloads) {
  NotedStarts programs;
  ComPtr<IDispatch> sink;
  sink.Attach(new win32::BrowserEvents(programs));
  Bstr opener(L"http://127.0.0.1:1/report"), script(L"javascript:alert(1)"),
      page(L"http://127.0.0.1:1/new,window?x=1");
  for (const Bstr* address : {&script, &page}) {  // (window, cancel, flags, opener, address)
    EXPECT_TRUE(Cancels(sink.Get(), DISPID_NEWWINDOW3,
                        {Text(address->get()), Text(opener.get()), {}, {}, {}}, 3));
  }
  EXPECT_TRUE(Cancels(sink.Get(), DISPID_NEWWINDOW2, {{}, {}}, 0));
  VARIANT file{}, document{};
  file.vt = document.vt = VT_BOOL;
  document.boolVal = VARIANT_TRUE;
  EXPECT_TRUE(Cancels(sink.Get(), DISPID_FILEDOWNLOAD, {{}, file}, 0)) << "a file";
  EXPECT_FALSE(Cancels(sink.Get(), DISPID_FILEDOWNLOAD, {{}, document}, 0)) << "a page";
  EXPECT_EQ(programs.commands,
            std::vector<std::string>{"explorer \"http://127.0.0.1:1/new,window?x=1\"\t1"})
      << "the script's window opens nowhere";
}

}  // namespace
}  // namespace tesk::wine_test
