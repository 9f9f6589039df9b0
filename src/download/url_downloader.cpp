#include "download/url_downloader.h"

#include <array>
#include <utility>

namespace tesk {
namespace {

struct StatusEntry {
  std::uint32_t code;
  const char* text;
};

// The URL-moniker error codes (INET_E_*) and how users are told about them.
constexpr std::array<StatusEntry, 23> kStatusTexts{{
    {0x800C0002, "Invalid URL."},
    {0x800C0003, "No Session."},
    {0x800C0004, "Cannot Connect"},
    {0x800C0005, "Resource Not Found."},
    {0x800C0006, "File Not Found."},
    {0x800C0007, "Data Not Available."},
    {0x800C0008, "Download Failure."},
    {0x800C0009, "Authentication Failure."},
    {0x800C000A, "No Valid Media."},
    {0x800C000B, "Connection Timeout."},
    {0x800C000C, "Invalid Request."},
    {0x800C000D, "Unknown Protocol."},
    {0x800C000E, "Security Problem."},
    {0x800C000F, "Cannot Load Data."},
    {0x800C0010, "Cannot Instantiate Object."},
    {0x800C0011, "Default Action."},
    {0x800C0013, "QueryOption Unknown."},
    {0x800C0014, "Redirect Failed."},
    {0x800C0015, "Redirect To Dir."},
    {0x800C0016, "Cannot Lock Request."},
    {0x800C0100, "Code Download Declined."},
    {0x800C0200, "Result Dispatched."},
    {0x800C0300, "Cannot Replace SFP File."},
}};

}  // namespace

// By index: a listener may attach another while an event is being raised.
template <typename Event>
void UrlDownloader::Raise(Event&& event) {
  for (size_t index = 0; index < listeners_.size(); ++index) event(*listeners_[index]);
}

UrlDownloader::UrlDownloader(platform::UrlTransfer& transfer, platform::HostThread& thread)
    : transfer_(transfer), thread_(thread) {}

void UrlDownloader::AddListener(DownloadListener& listener) { listeners_.push_back(&listener); }

std::optional<bool> UrlDownloader::StartTheStinkinDownLoad(const std::string& url,
                                                           const std::string& file) {
  if (binding_) return std::nullopt;
  return transfer_.DownloadToFile(url, file, *this) == 0;
}

void UrlDownloader::KillDownload() {
  Raise([](DownloadListener& listener) { listener.DownloadCancelled(); });
  binding_.reset();
}

std::int32_t UrlDownloader::DeleteDownloadCache(std::string& url) {
  return transfer_.DeleteCacheEntry(url);
}

std::string UrlDownloader::StatusText(std::int32_t status) {
  for (const auto& entry : kStatusTexts) {
    if (entry.code == static_cast<std::uint32_t>(status)) return entry.text;
  }
  return "Unknown.";
}

void UrlDownloader::OnStartBinding(std::shared_ptr<platform::Binding> binding) {
  binding_ = std::move(binding);
  Raise([](DownloadListener& listener) { listener.DownloadStart(); });
}

void UrlDownloader::OnProgress(std::uint32_t progress, std::uint32_t progressMax) {
  const auto total = static_cast<std::int32_t>(progressMax);
  if (total > 0) {
    const auto soFar = static_cast<std::int32_t>(progress);
    Raise([soFar, total](DownloadListener& listener) { listener.DownloadProg(soFar, total); });
  }
  thread_.ProcessPendingMessages();
}

void UrlDownloader::OnStopBinding(std::int32_t status) {
  if (status == 0) {
    Raise([](DownloadListener& listener) { listener.DownloadDone(); });
  } else {
    // By-reference arguments: each listener sees what the one before it left.
    std::string text = StatusText(status);
    bool cancelled = !binding_;
    Raise([&](DownloadListener& listener) { listener.DownloadCrash(status, text, cancelled); });
  }
  binding_.reset();
}

std::int32_t UrlDownloader::AbandonStatus(std::uint64_t bytes, std::uint64_t milliseconds) {
  if (limits_.milliseconds != 0 && milliseconds >= limits_.milliseconds) return kTimedOut;
  if (limits_.bytes != 0 && bytes > limits_.bytes) return kTooLarge;
  return 0;
}

}  // namespace tesk
