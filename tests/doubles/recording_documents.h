#pragma once
// A save dialog that answers as scripted, and compound documents whose writing is only recorded.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/documents.h"
#include "platform/platform_error.h"

namespace tesk::test {

class RecordingDocuments final : public platform::SaveDialogs, public platform::CompoundDocuments {
 public:
  // Records "dialog <filter> flags <hex>" and answers `answer` ("" is Cancel).
  std::string AskSaveFileName(const platform::SaveFileRequest& request) override {
    calls.push_back("dialog " + request.fileName + "|" + request.filter + " flags " +
                    std::to_string(request.flags));
    return answer;
  }
  // Records "write <path> <stream>"; throws when `writeError` is set.
  void WriteSingleStream(const std::string& path, const std::string& streamName,
                         const std::vector<std::uint8_t>&) override {
    calls.push_back("write " + path + " " + streamName);
    if (!writeError.empty()) throw platform::PlatformError(writeError);
  }

  std::string answer;
  std::string writeError;
  std::vector<std::string> calls;
};

}  // namespace tesk::test
