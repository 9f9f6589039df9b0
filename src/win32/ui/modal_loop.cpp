#include "win32/ui/modal_loop.h"

#include <new>

namespace tesk::win32 {

DisabledThreadWindows::DisabledThreadWindows(HWND modal)
    : modal_(modal), previouslyActive_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK DisabledThreadWindows::DisableOne(HWND window, LPARAM self) {
  auto* windows = reinterpret_cast<DisabledThreadWindows*>(self);
  if (window == windows->modal_ || !IsWindowEnabled(window)) return TRUE;
  try {
    windows->disabled_.push_back(window);
  } catch (const std::bad_alloc&) {
    return TRUE;  // a window that cannot be remembered is left enabled, never lost disabled
  }
  EnableWindow(window, FALSE);
  return TRUE;
}

void DisabledThreadWindows::Restore() {
  if (restored_) return;
  restored_ = true;
  for (const HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
  if (previouslyActive_ && previouslyActive_ != modal_ && IsWindow(previouslyActive_) &&
      IsWindowEnabled(previouslyActive_)) {
    SetActiveWindow(previouslyActive_);
  }
}

ModalLoopEnd RunModalLoop(HWND dialog, const std::function<bool()>& ended,
                          const std::function<bool(MSG&)>& accelerator) {
  ModalLoopEnd end;
  while (!ended()) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      end.quit = true;
      end.exitCode = static_cast<int>(message.wParam);
      return end;
    }
    if (got == -1) return end;
    if (accelerator(message)) continue;
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return end;
}

}  // namespace tesk::win32
