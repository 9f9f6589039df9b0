#pragma once
// Compound documents of platform/documents.h on Windows, through structured storage.

#include "platform/documents.h"

namespace tesk::win32 {

class Win32CompoundDocuments final : public platform::CompoundDocuments {
 public:
  // Writes a temporary file in the target's folder and moves it over the target.
  void WriteSingleStream(const std::string& path, const std::string& streamName,
                         const std::vector<std::uint8_t>& bytes) override;
};

}  // namespace tesk::win32
