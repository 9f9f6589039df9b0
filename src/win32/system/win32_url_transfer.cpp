#include "win32/system/win32_url_transfer.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>
#include <wrl/client.h>

#include <new>
#include <optional>

#include "win32/system/bind_status_callback.h"
#include "win32/system/system_library.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

using Microsoft::WRL::ComPtr;

constexpr DWORD kCheckMilliseconds = 100;

// Runs the thread's messages until the binding has stopped: urlmon's reports arrive through
// them, and so do the host's painting, timers and input, as in any modal loop. The limits are
// checked at least every kCheckMilliseconds, also while the server says nothing. A WM_QUIT
// abandons the transfer and is posted again for the host's own loop.
void RunMessagesUntilStopped(BindStatusCallback& callback) {
  std::optional<WPARAM> quit;
  while (!callback.Stopped() && !callback.Overdue()) {
    callback.CheckLimits();
    MsgWaitForMultipleObjectsEx(0, nullptr, kCheckMilliseconds, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    MSG message;
    while (!callback.Stopped() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = message.wParam;
        callback.Abandon(E_ABORT);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(*quit));
}

HRESULT StartBinding(const std::string& url, IBindStatusCallback* callback) {
  static const auto createMoniker =
      SystemFunction<decltype(&CreateURLMonikerEx)>(L"urlmon.dll", "CreateURLMonikerEx");
  static const auto createContext =
      SystemFunction<decltype(&CreateAsyncBindCtx)>(L"urlmon.dll", "CreateAsyncBindCtx");
  if (!createMoniker || !createContext) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  ComPtr<IMoniker> moniker;
  HRESULT result = createMoniker(nullptr, WideFromUtf8(url).c_str(), &moniker, URL_MK_UNIFORM);
  if (FAILED(result)) return result;
  ComPtr<IBindCtx> context;
  result = createContext(0, callback, nullptr, &context);
  if (FAILED(result)) return result;
  ComPtr<IStream> stream;  // the data arrives through the callback instead
  return moniker->BindToStorage(context.Get(), nullptr, IID_IStream,
                                reinterpret_cast<void**>(stream.GetAddressOf()));
}

}  // namespace

std::int32_t Win32UrlTransfer::DownloadToFile(const std::string& url, const std::string& file,
                                              platform::BindCallbacks& callbacks) {
  ComPtr<BindStatusCallback> callback;
  callback.Attach(new (std::nothrow) BindStatusCallback(callbacks, WideFromUtf8(file)));
  if (!callback) return E_OUTOFMEMORY;
  const HRESULT started = StartBinding(url, callback.Get());
  if (SUCCEEDED(started)) RunMessagesUntilStopped(*callback.Get());
  return callback->Finish(started);
}

std::int32_t Win32UrlTransfer::DeleteCacheEntry(const std::string& url) {
  static const auto deleteCacheEntry =
      SystemFunction<decltype(&DeleteUrlCacheEntryA)>(L"wininet.dll", "DeleteUrlCacheEntryA");
  return deleteCacheEntry && deleteCacheEntry(AnsiFromUtf8(url).c_str());
}

}  // namespace tesk::win32
