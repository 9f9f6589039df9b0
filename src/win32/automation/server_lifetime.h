#pragma once
// What keeps the DLL loaded: its live objects and the server locks hosts take through
// IClassFactory::LockServer. Also where the DLL learns its own module handle.

#include <windows.h>

namespace tesk::win32 {

void SetThisModule(HMODULE module);
HMODULE ThisModule();
// The module whose resources and window classes are ours: the DLL, or the program that links
// the code in.
HMODULE ResourceModule();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

// Keeps the DLL loaded while it lives: for a window whose host may release every object of
// ours from inside the window's message loop.
class ServerLock {
 public:
  ServerLock() { LockServer(true); }
  ~ServerLock() { LockServer(false); }
  ServerLock(const ServerLock&) = delete;
  ServerLock& operator=(const ServerLock&) = delete;
};

}  // namespace tesk::win32
