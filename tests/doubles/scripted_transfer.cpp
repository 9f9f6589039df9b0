#include "doubles/scripted_transfer.h"

#include <memory>

namespace tesk::test {

std::int32_t ScriptedTransfer::DownloadToFile(const std::string&, const std::string& file,
                                              platform::BindCallbacks& callbacks) {
  callbacks.OnStartBinding(std::make_shared<platform::Binding>());
  for (const auto& report : progress) callbacks.OnProgress(report.soFar, report.total);
  std::int32_t stop = status;
  for (const auto& check : checks) {
    if (const std::int32_t refusal = callbacks.AbandonStatus(check.bytes, check.milliseconds)) {
      stop = refusal;
      break;
    }
  }
  if (stop == 0 && writeFile) writeFile(file);
  callbacks.OnStopBinding(stop);
  return stop;
}

void PumpingThread::ProcessPendingMessages() {
  ++pumps;
  if (pendingHandler) pendingHandler();
}

}  // namespace tesk::test
