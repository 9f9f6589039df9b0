#pragma once
// The save dialog of platform/documents.h on Windows: the common dialog's GetSaveFileNameW.

#include "platform/documents.h"

namespace tesk::win32 {

class Win32SaveDialogs final : public platform::SaveDialogs {
 public:
  // Modal to the thread's active window. Cancel and a failure of the dialog itself both
  // answer "".
  std::string AskSaveFileName(const platform::SaveFileRequest& request) override;
};

}  // namespace tesk::win32
