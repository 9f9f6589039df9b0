#include "win32/ui/win32_forms.h"

#include "win32/automation/server_lifetime.h"
#include "win32/ui/form_window.h"
#include "win32/ui/modal_loop.h"

namespace tesk::win32 {

void Win32Forms::ShowModal(const platform::FormTable& table, platform::FormEvents& events) {
  const ServerLock loaded;  // the code of the loop below must stay
  FormWindow form(table, events);
  events.Load(form);  // before the window shows, so it appears as the handlers left it
  ModalLoopEnd end;
  {
    // Declared after the form, so that the host is enabled again before the form goes even
    // when something throws.
    DisabledThreadWindows disabled(form.Handle());
    if (!form.Ended()) {
      form.Show();
      end = RunModalLoop(form.Handle(), [&form] { return form.Ended(); },
                         [&form](MSG& message) { return form.TranslateAccelerator(message); });
    }
    // Enabled and activated before the form goes, so the activation returns to the host
    // rather than to whichever window the system would pick.
    disabled.Restore();
    form.Destroy();
  }
  if (end.quit) PostQuitMessage(end.exitCode);
  if (form.HandlerFailure()) std::rethrow_exception(form.HandlerFailure());
}

}  // namespace tesk::win32
