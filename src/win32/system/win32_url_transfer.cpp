#include "win32/system/win32_url_transfer.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>
#include <wrl/client.h>

#include <new>

#include "win32/system/bind_status_callback.h"
#include "win32/system/system_library.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {

std::int32_t Win32UrlTransfer::DownloadToFile(const std::string& url, const std::string& file,
                                              platform::BindCallbacks& callbacks) {
  Microsoft::WRL::ComPtr<BindStatusCallback> callback;
  callback.Attach(new (std::nothrow) BindStatusCallback(callbacks));
  if (!callback) return E_OUTOFMEMORY;
  static const auto downloadToFile =
      SystemFunction<decltype(&URLDownloadToFileA)>(L"urlmon.dll", "URLDownloadToFileA");
  if (!downloadToFile) return HRESULT_FROM_WIN32(GetLastError());
  const HRESULT result = downloadToFile(nullptr, AnsiFromUtf8(url).c_str(),
                                        AnsiFromUtf8(file).c_str(), 0, callback.Get());
  return callback->Outcome(result);
}

std::int32_t Win32UrlTransfer::DeleteCacheEntry(const std::string& url) {
  static const auto deleteCacheEntry =
      SystemFunction<decltype(&DeleteUrlCacheEntryA)>(L"wininet.dll", "DeleteUrlCacheEntryA");
  return deleteCacheEntry && deleteCacheEntry(AnsiFromUtf8(url).c_str());
}

}  // namespace tesk::win32
