#pragma once
// UrlDownloader copies a URL to a local file and reports the transfer as events: start,
// progress, completion, failure (with a short English text for the system's status code) and
// cancellation. A fresh one is made for each download.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/url_transfer.h"

namespace tesk {

// The downloader's events; a listener overrides those it wants.
class DownloadListener {
 public:
  virtual ~DownloadListener() = default;
  virtual void DownloadStart() {}
  virtual void DownloadDone() {}
  // `statusText` and `cancelled` are the listener's to change; nothing reads them back.
  virtual void DownloadCrash(std::int32_t /*status*/, std::string& /*statusText*/,
                             bool& /*cancelled*/) {}
  virtual void DownloadCancelled() {}
  virtual void DownloadProg(std::int32_t /*bytesSoFar*/, std::int32_t /*bytesTotal*/) {}
};

// Bounds on each transfer, 0 for none: its time from start to end, and the most its local
// file may receive. A transfer that reaches one is abandoned as a failure.
struct DownloadLimits {
  std::uint64_t milliseconds = 0;
  std::uint64_t bytes = 0;
};

class UrlDownloader final : private platform::BindCallbacks {
 public:
  // The failures of a transfer abandoned at its limits (INET_E_CONNECTION_TIMEOUT,
  // INET_E_DOWNLOAD_FAILURE).
  static constexpr std::int32_t kTimedOut = static_cast<std::int32_t>(0x800C000B);
  static constexpr std::int32_t kTooLarge = static_cast<std::int32_t>(0x800C0008);

  UrlDownloader(platform::UrlTransfer& transfer, platform::HostThread& thread);

  void AddListener(DownloadListener& listener);
  void SetLimits(const DownloadLimits& limits) { limits_ = limits; }

  // True when the download succeeded, false when it failed, nothing when this downloader's
  // transfer is still running (asked again from one of its own event handlers).
  std::optional<bool> StartTheStinkinDownLoad(const std::string& url, const std::string& file);
  // Reports the download as cancelled and forgets it; the transfer itself runs on, and its
  // failure, if it fails, is reported as cancelled.
  void KillDownload();
  std::int32_t DeleteDownloadCache(std::string& url);

  static std::string StatusText(std::int32_t status);

 private:
  void OnStartBinding(std::shared_ptr<platform::Binding> binding) override;
  void OnProgress(std::uint32_t progress, std::uint32_t progressMax) override;
  void OnStopBinding(std::int32_t status) override;
  std::int32_t AbandonStatus(std::uint64_t bytes, std::uint64_t milliseconds) override;

  template <typename Event>
  void Raise(Event&& event);

  platform::UrlTransfer& transfer_;
  platform::HostThread& thread_;
  std::vector<DownloadListener*> listeners_;
  std::shared_ptr<platform::Binding> binding_;
  DownloadLimits limits_;
};

}  // namespace tesk
