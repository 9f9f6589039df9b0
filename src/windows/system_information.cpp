#include "windows/system_information.h"

#include <string>

#include "platform/platform_error.h"
#include "windows/key_value.h"

namespace tesk::windows {
namespace {

constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

void StartNormal(const WindowServices& services, const std::string& commandLine) {
  services.programs.Start(commandLine, platform::WindowStyle::NormalFocus);
}

// The program's own key names it directly; it is run without looking for the file first.
bool StartFromProgramPath(const WindowServices& services) {
  std::string path;
  if (!GetKeyValue(services.registry, kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                   "PATH", path)) {
    return false;
  }
  StartNormal(services, path);
  return true;
}

bool StartFromSharedToolsFolder(const WindowServices& services) {
  std::string folder;
  if (!GetKeyValue(services.registry, kLocalMachine,
                   "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
    return false;
  }
  const std::string program = folder + "\\MSINFO32.EXE";
  if (!services.files.FileExists(program)) return false;
  StartNormal(services, program);
  return true;
}

}  // namespace

void StartSysInfo(const WindowServices& services) {
  try {
    if (StartFromProgramPath(services) || StartFromSharedToolsFolder(services)) return;
  } catch (const platform::PlatformError&) {
  }
  services.messages.ShowOk(kUnavailable);
}

}  // namespace tesk::windows
