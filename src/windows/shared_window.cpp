#include "windows/shared_window.h"

namespace tesk::windows {

WindowAlreadyOpen::WindowAlreadyOpen(const std::string& window)
    : std::runtime_error(window + " is already open.") {}

void SharedWindow::Show(WindowServices& services) {
  if (IsOpen()) throw WindowAlreadyOpen(title_);
  // The window is open from here until ShowModal returns or throws, whichever comes first.
  struct ClosedOnExit {
    WindowServices*& services;
    ~ClosedOnExit() { services = nullptr; }
  } closed{services_};
  services_ = &services;
  services.forms.ShowModal(table_, *this);
}

}  // namespace tesk::windows
