#include "win32/system/partial_download_file.h"

#include <utility>

namespace tesk::win32 {

PartialDownloadFile::PartialDownloadFile(std::wstring file)
    : file_(std::move(file)), partial_(file_ + L".part") {
  handle_.reset(CreateFileW(partial_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool PartialDownloadFile::Write(const void* bytes, DWORD count) {
  DWORD written = 0;
  return handle_ && WriteFile(handle_.get(), bytes, count, &written, nullptr) && written == count;
}

bool PartialDownloadFile::Commit() {
  if (!handle_) return false;
  handle_.reset();
  if (MoveFileExW(partial_.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileW(partial_.c_str());
  return false;
}

void PartialDownloadFile::Discard() {
  if (!handle_) return;
  handle_.reset();
  DeleteFileW(partial_.c_str());
}

}  // namespace tesk::win32
