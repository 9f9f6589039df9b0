#include "win32/system/win32_compound_documents.h"

#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <algorithm>
#include <utility>

#include "platform/platform_error.h"
#include "win32/system/system_message.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// Writes go to the storage in slices small enough for a ULONG count on every platform.
constexpr size_t kWriteSlice = 1 << 20;

[[noreturn]] void ThrowSystemError(DWORD code) {
  throw platform::PlatformError(SystemMessage(code));
}

// Storage's own errors below 0x100 are Win32 error codes in its facility; the Win32 code has
// the same description and has one on every system (Wine describes none of storage's codes).
void Check(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  const bool win32Code = HRESULT_FACILITY(hr) == FACILITY_STORAGE && HRESULT_CODE(hr) < 0x100;
  ThrowSystemError(win32Code ? HRESULT_CODE(hr) : static_cast<DWORD>(hr));
}

// The folder of `path`, with its final separator, resolved as the move will resolve it (a
// relative path, a drive-relative one, forward slashes).
std::wstring FolderOf(const std::wstring& path) {
  std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  wchar_t* name = nullptr;
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &name);
  if (length == 0 || length >= full.size()) ThrowSystemError(GetLastError());
  full.resize(name ? static_cast<size_t>(name - full.data()) : length);
  return full;
}

// Beyond the folder: room for the "\tskXXXX.tmp" the call adds, and never less than MAX_PATH.
constexpr size_t kTemporaryNameLength = MAX_PATH + 16;

// A uniquely named file created beside the target; deleted again unless it was moved away.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::wstring& folder) {
    // Fails, among others, when the folder does not exist or cannot be written. The name has
    // room for any folder: Windows refuses one longer than MAX_PATH - 14, Wine copies it first.
    std::wstring name(folder.size() + kTemporaryNameLength, L'\0');
    if (!GetTempFileNameW(folder.c_str(), L"tsk", 0, name.data())) {
      ThrowSystemError(GetLastError());
    }
    name.resize(name.find(L'\0'));
    path_ = std::move(name);
  }
  ~TemporaryFile() {
    if (!moved_) DeleteFileW(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::wstring& path() const { return path_; }

  void MoveOver(const std::wstring& target) {
    // Windows refuses to replace a read-only file, Wine replaces it; asking first makes both
    // refuse.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      ThrowSystemError(ERROR_ACCESS_DENIED);
    }
    if (!MoveFileExW(path_.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      ThrowSystemError(GetLastError());
    }
    moved_ = true;
  }

 private:
  std::wstring path_;
  bool moved_ = false;
};

void WriteAll(IStream& stream, const std::vector<std::uint8_t>& bytes) {
  for (size_t offset = 0; offset < bytes.size(); offset += kWriteSlice) {
    const ULONG length = static_cast<ULONG>(std::min(kWriteSlice, bytes.size() - offset));
    ULONG written = 0;
    Check(stream.Write(bytes.data() + offset, length, &written));
    if (written != length) ThrowSystemError(ERROR_WRITE_FAULT);
  }
}

// The document is complete and closed on return: the storage is released before the move.
void WriteDocument(const std::wstring& file, const std::wstring& streamName,
                   const std::vector<std::uint8_t>& bytes) {
  constexpr DWORD kExclusive = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
  ComPtr<IStorage> storage;
  Check(StgCreateDocfile(file.c_str(), STGM_CREATE | kExclusive, 0, storage.GetAddressOf()));
  ComPtr<IStream> stream;
  Check(storage->CreateStream(streamName.c_str(), STGM_CREATE | kExclusive, 0, 0,
                              stream.GetAddressOf()));
  WriteAll(*stream.Get(), bytes);
  Check(storage->Commit(STGC_DEFAULT));
}

}  // namespace

void Win32CompoundDocuments::WriteSingleStream(const std::string& path,
                                               const std::string& streamName,
                                               const std::vector<std::uint8_t>& bytes) {
  const std::wstring target = WideFromUtf8(path);
  TemporaryFile temporary(FolderOf(target));
  WriteDocument(temporary.path(), WideFromUtf8(streamName), bytes);
  temporary.MoveOver(target);
}

}  // namespace tesk::win32
