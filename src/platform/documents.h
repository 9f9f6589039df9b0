#pragma once
// Saving documents the user asks for: the system's save dialog, and compound documents
// (structured storage) written so that a failure never costs the file being replaced.

#include <cstdint>
#include <string>
#include <vector>

namespace tesk::platform {

struct SaveFileRequest {
  std::string fileName;  // proposed in the dialog
  std::string filter;    // "Description|*.ext|..." pairs
  std::uint32_t flags = 0;  // the dialog's OFN_ flags
};

class SaveDialogs {
 public:
  virtual ~SaveDialogs() = default;
  // The path the user chose, as typed (no extension is added); "" when cancelled.
  virtual std::string AskSaveFileName(const SaveFileRequest& request) = 0;
};

class CompoundDocuments {
 public:
  virtual ~CompoundDocuments() = default;
  // Makes `path` a compound document holding one stream, `streamName`, with `bytes`. The
  // document is written beside `path` and moved over it only when complete. Throws
  // PlatformError on any failure; `path` is then as it was, and nothing is left behind.
  virtual void WriteSingleStream(const std::string& path, const std::string& streamName,
                                 const std::vector<std::uint8_t>& bytes) = 0;
};

}  // namespace tesk::platform
