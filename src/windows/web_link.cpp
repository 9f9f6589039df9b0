#include "windows/web_link.h"

#include "platform/platform_error.h"

namespace tesk::windows {

std::string WebAddress(const std::string& host) { return "http:\\\\" + host; }

void OpenWebAddress(platform::ProgramLauncher& programs, const std::string& host) {
  try {
    programs.Start("explorer " + WebAddress(host), platform::WindowStyle::MinimizedFocus);
  } catch (const platform::PlatformError&) {
  }
}

}  // namespace tesk::windows
