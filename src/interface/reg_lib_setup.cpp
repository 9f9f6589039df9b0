#include "interface/reg_lib_setup.h"

#include "platform/platform_error.h"

namespace tesk {

void RunRegLibSetup(const RegLibSetupServices& services) {
  const std::string folder = services.environment.LibraryFolder() + "\\";
  try {
    if (services.files.FileExists(folder + "WinReg.dll")) {
      services.programs.Start("regasm " + folder + "WinReg.dll /tlb",
                              platform::WindowStyle::MinimizedFocus);
    }
    services.thread.ProcessPendingMessages();
    services.thread.Pause(kRegasmSettleMilliseconds);
  } catch (const platform::PlatformError& failure) {
    services.messageBoxes.ShowOk(failure.what());
  }
}

}  // namespace tesk
