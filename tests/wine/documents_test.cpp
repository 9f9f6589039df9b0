// Compound documents through the real structured storage. The save dialog and the overwrite
// question are shown through the shortcut-key window's export (shortcut_keys_test.cpp).

#include <windows.h>

#include <cstdint>
#include <fstream>

#include "platform/platform_error.h"
#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"
#include "win32/system/win32_compound_documents.h"
#include "wine_test_support.h"

namespace tesk::wine_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Utf8(const std::wstring& text) { return win32::Utf8FromWide(text.data(), text.size()); }

Bytes Pattern(size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (auto& byte : bytes) {
    seed = seed * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(seed >> 16);
  }
  return bytes;
}

// The Workbook stream's bytes, read back through the system's structured storage; also checks
// that the document holds nothing else.
Bytes ReadWorkbook(const std::wstring& path) {
  ComPtr<IStorage> storage;
  ComPtr<IEnumSTATSTG> elements;
  ComPtr<IStream> stream;
  const DWORD mode = STGM_READ | STGM_SHARE_EXCLUSIVE;
  EXPECT_EQ(StgOpenStorage(path.c_str(), nullptr, mode, nullptr, 0, &storage), S_OK);
  if (!storage || storage->EnumElements(0, nullptr, 0, &elements) != S_OK) return {};
  STATSTG element[2] = {};
  ULONG count = 0;
  elements->Next(2, element, &count);
  for (ULONG i = 0; i < count; ++i) CoTaskMemFree(element[i].pwcsName);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(storage->OpenStream(L"Workbook", nullptr, mode, 0, &stream), S_OK);
  if (!stream) return {};
  Bytes bytes(static_cast<size_t>(element[0].cbSize.QuadPart));
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  bytes.resize(read);
  return bytes;
}

class CompoundDocuments : public ::testing::Test {
 protected:
  CompoundDocuments() {
    Clear();
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  ~CompoundDocuments() override {
    Clear();
    RemoveDirectoryW(folder.c_str());
  }

  void Write(const std::wstring& name, const Bytes& bytes) {
    documents.WriteSingleStream(Utf8(folder + name), "Workbook", bytes);
  }

  win32::Win32CompoundDocuments documents;
  const std::wstring folder = TempFile(L"tesk-documents\\");

 private:
  void Clear() {
    for (const auto& name : FilesIn(folder)) {
      SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW((folder + name).c_str());
    }
  }
};

// Written in slices; a stream in the mini stream is the exported workbook's, read by xlrd.
TEST_F(CompoundDocuments, ALargeStreamReadsBackExactly) {
  const Bytes large = Pattern(5 * 1024 * 1024 + 123, 1);
  Write(L"large.xls", large);
  EXPECT_TRUE(ReadWorkbook(folder + L"large.xls") == large);
  EXPECT_EQ(FilesIn(folder).size(), 1u);
}

// A folder that is not there, a read-only file and one another program holds open.
TEST_F(CompoundDocuments, AFailedWriteRaisesAnErrorKeepsTheOldFileAndLeavesNothingBehind) {
  const std::wstring book = folder + L"book.xls";
  const auto fails = [&](const std::wstring& name) {
    try {
      Write(name, Pattern(100000, 7));
    } catch (const platform::PlatformError& error) {
      return std::string(error.what()) != "";
    }
    return false;
  };
  std::ofstream(book.c_str(), std::ios::binary) << "old contents";
  EXPECT_TRUE(fails(L"missing\\book.xls"));
  SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(fails(L"book.xls")) << "read-only";
  SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
  {
    const win32::UniqueFileHandle holder(CreateFileW(book.c_str(), GENERIC_READ, 0, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                     nullptr));
    ASSERT_TRUE(holder);
    EXPECT_TRUE(fails(L"book.xls")) << "held open";
  }
  EXPECT_EQ(FileBytes(book), "old contents");
  EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"book.xls"});
}

}  // namespace
}  // namespace tesk::wine_test
