#pragma once
// What creating a clsNewRegLib does before the host gets the object: registers the host's
// WinReg.dll, found beside this library, with "regasm", then gives it time to finish.

#include "platform/shell.h"

namespace tesk {

struct RegLibSetupServices {
  platform::Environment& environment;
  platform::FileSystem& files;
  platform::ProgramLauncher& programs;
  platform::HostThread& thread;
  platform::MessageBoxes& messageBoxes;
};

// How long the set-up waits for regasm, which it starts but never waits for.
constexpr unsigned kRegasmSettleMilliseconds = 5000;

// Never fails: a step that fails shows its description in a message box and ends the set-up.
void RunRegLibSetup(const RegLibSetupServices& services);

}  // namespace tesk
