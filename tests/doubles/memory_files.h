#pragma once
// Files and environment variables in memory, for the native tests.

#include <map>
#include <optional>
#include <string>

#include "platform/shell.h"

namespace tesk::test {

class MemoryFiles final : public platform::FileSystem, public platform::Environment {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  void RemoveFile(const std::string& path) override;

  std::string LibraryFolder() override { return "C:\\Program Files\\Host"; }
  // Looked up without regard to case, as Windows does.
  std::string Variable(const std::string& name) override;

  std::map<std::string, std::string> files;      // path -> content
  std::map<std::string, std::string> variables;  // name -> value
  bool removeFails = false;
};

}  // namespace tesk::test
