#pragma once
// Showing a window modally without an owner: the thread's other windows are disabled while it
// is up, and its own message loop runs every message of the thread.

#include <windows.h>

#include <functional>
#include <vector>

namespace tesk::win32 {

// Disables the calling thread's enabled top-level windows other than `modal`, and enables
// exactly those again (the ones still there) on Restore or destruction, whichever comes first.
class DisabledThreadWindows {
 public:
  explicit DisabledThreadWindows(HWND modal);
  ~DisabledThreadWindows() { Restore(); }
  DisabledThreadWindows(const DisabledThreadWindows&) = delete;
  DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

  // Enables the windows again and gives the activation back to the window that had it, so
  // that closing the modal window does not leave the activation to chance.
  void Restore();

 private:
  static BOOL CALLBACK DisableOne(HWND window, LPARAM self);

  HWND modal_;
  HWND previouslyActive_;
  std::vector<HWND> disabled_;
  bool restored_ = false;
};

struct ModalLoopEnd {
  bool quit = false;  // WM_QUIT arrived: the caller posts it again once the window is gone
  int exitCode = 0;
};

// Runs the thread's messages, through the dialog manager for `dialog`, until `ended` answers
// true after a message or WM_QUIT arrives. `accelerator` sees each message first and answers
// true for one it has handled.
ModalLoopEnd RunModalLoop(HWND dialog, const std::function<bool()>& ended,
                          const std::function<bool(MSG&)>& accelerator);

}  // namespace tesk::win32
