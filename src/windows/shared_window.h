#pragma once
// What every standard window has in common: one shared instance per window, the services its
// handlers use, and modal showing that refuses a window that is already open.

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/documents.h"
#include "platform/form.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/url_transfer.h"

namespace tesk::windows {

// The system as the windows' handlers see it, for the time a window is open.
struct WindowServices {
  platform::Forms& forms;
  platform::FileSystem& files;
  platform::Environment& environment;
  platform::ProgramLauncher& programs;
  platform::MessageBoxes& messages;
  platform::Registry& registry;
  platform::SaveDialogs& saveDialogs;
  platform::CompoundDocuments& documents;
  platform::UrlTransfer& transfer;
  platform::HostThread& hostThread;
};

// Showing a window that is open already (a host's handler calling it from inside the modal
// loop): nothing changes, and the host gets this error.
class WindowAlreadyOpen : public std::runtime_error {
 public:
  explicit WindowAlreadyOpen(const std::string& window);
};

class SharedWindow : public platform::FormEvents {
 public:
  // Runs the load steps and shows the window modally; returns once it has been closed.
  // Throws WindowAlreadyOpen while it is open.
  void Show(WindowServices& services);
  bool IsOpen() const { return services_ != nullptr; }
  // Throws WindowAlreadyOpen while the window is open, for callers that must change nothing
  // then.
  void RefuseIfOpen() const {
    if (IsOpen()) throw WindowAlreadyOpen(title_);
  }

 protected:
  SharedWindow(const platform::FormTable& table, std::string title)
      : table_(table), title_(std::move(title)) {}
  // Valid while the window is open.
  WindowServices& Services() const { return *services_; }

 private:
  const platform::FormTable& table_;
  std::string title_;  // for the error text: "The About window"
  WindowServices* services_ = nullptr;
};

}  // namespace tesk::windows
