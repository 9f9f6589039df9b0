#pragma once
// The DLL's own activation context, made from its manifest resource 2, which names common
// controls 6: the system controls the library creates inside it (list view, header, text box,
// scroll bars, the save dialog) are the themed version-6 ones whatever the host's manifest says,
// while the host's own windows stay as its manifest makes them.

#include <windows.h>

namespace tesk::win32 {

// While it lives, the DLL's context is the thread's active one. Window classes of common
// controls 6 are versioned, so windows of system classes must be created inside it (messages
// later need none); comctl32 itself is loaded inside it when the context is first made. Where
// the context or its comctl32 cannot be had (an older system, or the code linked into a
// program), it does nothing, and the classic controls serve.
class OwnActivationScope {
 public:
  OwnActivationScope();
  ~OwnActivationScope();
  OwnActivationScope(const OwnActivationScope&) = delete;
  OwnActivationScope& operator=(const OwnActivationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// Lets go of the context; for DllMain when this DLL is unloaded.
void ReleaseOwnActivationContext();

}  // namespace tesk::win32
