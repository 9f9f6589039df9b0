#include "win32/automation/server_lifetime.h"

namespace tesk::win32 {
namespace {

HMODULE module = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

}  // namespace

void SetThisModule(HMODULE handle) { module = handle; }
HMODULE ThisModule() { return module; }
HMODULE ResourceModule() { return module ? module : GetModuleHandleW(nullptr); }

void ObjectCreated() { InterlockedIncrement(&liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }

void LockServer(bool lock) {
  if (lock) {
    InterlockedIncrement(&serverLocks);
  } else {
    InterlockedDecrement(&serverLocks);
  }
}

bool CanUnload() { return liveObjects == 0 && serverLocks == 0; }

}  // namespace tesk::win32
