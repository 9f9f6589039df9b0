#pragma once
// URL transfers through urlmon's asynchronous URL monikers, bound on the calling thread while
// it waits and runs its messages; cache entries through wininet.

#include "platform/url_transfer.h"

namespace tesk::win32 {

class Win32UrlTransfer final : public platform::UrlTransfer {
 public:
  std::int32_t DownloadToFile(const std::string& url, const std::string& file,
                              platform::BindCallbacks& callbacks) override;
  std::int32_t DeleteCacheEntry(const std::string& url) override;
};

}  // namespace tesk::win32
