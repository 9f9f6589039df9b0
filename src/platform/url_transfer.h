#pragma once
// Copying a URL to a local file through the system's URL-moniker service, which reports the
// transfer through binding callbacks on the calling thread while the call blocks.

#include <cstdint>
#include <memory>
#include <string>

namespace tesk::platform {

// The system's binding object for a transfer in progress; held only to know one runs.
class Binding {
 public:
  virtual ~Binding() = default;
};

// The binding callbacks the downloader acts on, in the order a transfer reports them: start,
// any number of progress reports, stop.
class BindCallbacks {
 public:
  virtual ~BindCallbacks() = default;
  virtual void OnStartBinding(std::shared_ptr<Binding> binding) = 0;
  virtual void OnProgress(std::uint32_t progress, std::uint32_t progressMax) = 0;
  virtual void OnStopBinding(std::int32_t status) = 0;
  // Asked before each piece of data reaches the file, with the bytes the file would then hold,
  // and every tenth of a second or so while the transfer waits, with the time since it began:
  // 0 to go on, or the status to abandon the transfer with (it then stops with that status and
  // its partial file is deleted).
  virtual std::int32_t AbandonStatus(std::uint64_t bytes, std::uint64_t milliseconds) = 0;
};

class UrlTransfer {
 public:
  virtual ~UrlTransfer() = default;
  // Blocks until the transfer has ended, while the thread's messages run; returns its HRESULT
  // (0 for success). The file is replaced only by a complete transfer.
  virtual std::int32_t DownloadToFile(const std::string& url, const std::string& file,
                                      BindCallbacks& callbacks) = 0;
  // Non-zero when the URL's cache entry was deleted.
  virtual std::int32_t DeleteCacheEntry(const std::string& url) = 0;
};

}  // namespace tesk::platform
