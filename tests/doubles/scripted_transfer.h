#pragma once
// A URL transfer that plays a script: start, the progress reports, stop. Stands in for the
// URL-moniker service in the native tests, and a host thread whose message pump can run the
// test's own "event handler".

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/url_transfer.h"

namespace tesk::test {

class ScriptedTransfer final : public platform::UrlTransfer {
 public:
  struct Progress {
    std::uint32_t soFar;
    std::uint32_t total;
  };
  struct Check {
    std::uint64_t bytes;
    std::uint64_t milliseconds;
  };

  std::int32_t DownloadToFile(const std::string& url, const std::string& file,
                              platform::BindCallbacks& callbacks) override;
  std::int32_t DeleteCacheEntry(const std::string&) override { return 1; }

  std::vector<Progress> progress;
  std::int32_t status = 0;  // reported to OnStopBinding and returned
  // Put to the limits after the progress reports, as the system's transfer does while data
  // arrives and while it waits; the first refusal is the stop's status instead.
  std::vector<Check> checks;
  std::function<void(const std::string& file)> writeFile;  // on success, before the stop
};

class PumpingThread final : public platform::HostThread {
 public:
  void ProcessPendingMessages() override;
  void Pause(unsigned) override {}

  int pumps = 0;
  std::function<void()> pendingHandler;  // runs at every pump, as a host's handler would
};

}  // namespace tesk::test
