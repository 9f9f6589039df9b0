#pragma once
// The local file of a transfer in progress: written as "<file>.part" beside the file, moved
// over the file only when the transfer is complete, deleted when it is not. A failed transfer
// thus leaves no partial file and the file as it was.

#include <windows.h>

#include <string>

#include "win32/system/unique_resource.h"

namespace tesk::win32 {

class PartialDownloadFile {
 public:
  explicit PartialDownloadFile(std::wstring file);
  ~PartialDownloadFile() { Discard(); }
  PartialDownloadFile(const PartialDownloadFile&) = delete;
  PartialDownloadFile& operator=(const PartialDownloadFile&) = delete;

  bool IsOpen() const { return static_cast<bool>(handle_); }
  bool Write(const void* bytes, DWORD count);
  // Replaces the file with what was written; false when that fails (the partial file is gone).
  bool Commit();
  // Deletes what was written, if anything.
  void Discard();

 private:
  std::wstring file_;
  std::wstring partial_;
  UniqueFileHandle handle_;
};

}  // namespace tesk::win32
