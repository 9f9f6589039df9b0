#pragma once
// Every service a window's handlers use, as the in-memory doubles, wired together.

#include "doubles/memory_files.h"
#include "doubles/memory_registry.h"
#include "doubles/recording_documents.h"
#include "doubles/recording_form.h"
#include "doubles/recording_shell.h"
#include "doubles/scripted_transfer.h"
#include "windows/shared_window.h"

namespace tesk::test {

struct WindowDoubles {
  MemoryFiles files;
  MemoryRegistry registry;
  RecordingForms forms;
  RecordingShell shell;
  RecordingDocuments documents;
  ScriptedTransfer transfer;
  windows::WindowServices services{forms,    files,     files,     shell,    shell,
                                   registry, documents, documents, transfer, shell};
};

}  // namespace tesk::test
