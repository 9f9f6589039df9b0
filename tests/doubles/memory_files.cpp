#include "doubles/memory_files.h"

#include <algorithm>
#include <cctype>

#include "platform/platform_error.h"

namespace tesk::test {

std::optional<std::string> MemoryFiles::ReadFirstLine(const std::string& path) {
  const auto file = files.find(path);
  if (file == files.end()) return std::nullopt;
  return file->second.substr(0, file->second.find_first_of("\r\n"));
}

void MemoryFiles::RemoveFile(const std::string& path) {
  if (removeFails || files.erase(path) == 0) throw platform::PlatformError("Access is denied.");
}

std::string MemoryFiles::Variable(const std::string& name) {
  const auto sameName = [&name](const auto& variable) {
    return std::equal(name.begin(), name.end(), variable.first.begin(), variable.first.end(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
  };
  const auto found = std::find_if(variables.begin(), variables.end(), sameName);
  return found == variables.end() ? std::string() : found->second;
}

}  // namespace tesk::test
