#include "doubles/memory_files.h"

#include <algorithm>

#include "platform/platform_error.h"

namespace tesk::test {

bool MemoryFiles::FileExists(const std::string& path) {
  touched.push_back(path);
  return files.count(path) != 0;
}

bool MemoryFiles::ReadLines(const std::string& path,
                            const std::function<bool(const std::string&)>& line) {
  touched.push_back(path);
  const auto file = files.find(path);
  if (file == files.end()) return false;
  const std::string& text = file->second;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    if (!line(text.substr(start, std::min(end - start, kMaxLineBytes)))) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return true;
}

std::optional<std::string> MemoryFiles::ReadFirstLine(const std::string& path) {
  const auto file = files.find(path);
  if (file == files.end()) return std::nullopt;
  return file->second.substr(0, file->second.find_first_of("\r\n"));
}

void MemoryFiles::RemoveFile(const std::string& path) {
  if (files.erase(path) == 0) throw platform::PlatformError("Access is denied.");
}

}  // namespace tesk::test
