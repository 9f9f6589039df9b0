#pragma once
// Forms on Windows: a control table becomes a top-level window shown modally without an owner.

#include "platform/form.h"

namespace tesk::win32 {

class Win32Forms final : public platform::Forms {
 public:
  // Returns when the form is closed and destroyed. Rethrows what Load threw, or the first
  // exception a handler raised while the form was up (the form closes at once in that case).
  void ShowModal(const platform::FormTable& table, platform::FormEvents& events) override;
};

}  // namespace tesk::win32
