#include "windows/web_link.h"

#include "platform/platform_error.h"

namespace tesk::windows {
namespace {

void StartExplorer(platform::ProgramLauncher& programs, const std::string& argument,
                   platform::WindowStyle style) {
  try {
    programs.Start("explorer " + argument, style);
  } catch (const platform::PlatformError&) {
  }
}

}  // namespace

std::string WebAddress(const std::string& host) { return "http:\\\\" + host; }

void OpenWebAddress(platform::ProgramLauncher& programs, const std::string& host) {
  StartExplorer(programs, WebAddress(host), platform::WindowStyle::MinimizedFocus);
}

// Quoted: explorer reads commas as separators of its own options.
void OpenPageInBrowser(platform::ProgramLauncher& programs, const std::string& address) {
  StartExplorer(programs, "\"" + address + "\"", platform::WindowStyle::NormalFocus);
}

}  // namespace tesk::windows
