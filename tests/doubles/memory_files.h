#pragma once
// Files in memory, and an environment without variables, for the native tests.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tesk::test {

class MemoryFiles final : public platform::FileSystem, public platform::Environment {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  bool ReadLines(const std::string& path,
                 const std::function<bool(const std::string&)>& line) override;
  void RemoveFile(const std::string& path) override;

  std::string LibraryFolder() override { return "C:\\Program Files\\Host"; }
  // No variables are set: TEMP and the like read as empty.
  std::string Variable(const std::string&) override { return ""; }
  std::string SystemDirectory() override { return systemDirectory; }

  std::map<std::string, std::string> files;      // path -> content
  std::string systemDirectory = "C:\\WINDOWS\\system32";
  // The paths asked about (FileExists) or read (ReadLines), in order.
  std::vector<std::string> touched;
};

}  // namespace tesk::test
