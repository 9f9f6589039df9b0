// Compound documents through the real structured storage. The save dialog, replacing a file,
// read-only targets and the overwrite question are shown through the shortcut-key window's
// export (shortcut_keys_test.cpp).

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "platform/platform_error.h"
#include "platform/win32/system/text_encoding.h"
#include "platform/win32/system/unique_resource.h"
#include "platform/win32/system/win32_compound_documents.h"
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

void WritePlainFile(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary) << text;
}

// The stream's bytes, read back through the system's structured storage; also checks that the
// document holds nothing else.
Bytes ReadStream(const std::wstring& path, const wchar_t* name) {
  ComPtr<IStorage> storage;
  EXPECT_EQ(StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                           storage.GetAddressOf()), S_OK);
  if (!storage) return {};
  ComPtr<IEnumSTATSTG> elements;
  storage->EnumElements(0, nullptr, 0, elements.GetAddressOf());
  STATSTG element[2] = {};
  ULONG count = 0;
  elements->Next(2, element, &count);
  for (ULONG i = 0; i < count; ++i) CoTaskMemFree(element[i].pwcsName);
  EXPECT_EQ(count, 1u);
  ComPtr<IStream> stream;
  EXPECT_EQ(storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                stream.GetAddressOf()), S_OK);
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
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"tesk-documents\\";
    Clear();
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  ~CompoundDocuments() override {
    Clear();
    RemoveDirectoryW(folder.c_str());
  }

  std::vector<std::wstring> Files() const { return FilesIn(folder); }

  // A write that must fail; answers the error's message.
  std::string FailingWrite(const std::wstring& path) {
    try {
      documents.WriteSingleStream(Utf8(path), "Workbook", Pattern(100000, 7));
    } catch (const platform::PlatformError& error) {
      return error.what();
    }
    ADD_FAILURE() << "no error writing " << Utf8(path);
    return {};
  }

  win32::Win32CompoundDocuments documents;
  std::wstring folder;

 private:
  void Clear() {
    for (const auto& name : Files()) {
      SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW((folder + name).c_str());
    }
  }
};

TEST_F(CompoundDocuments, LargeAndTinyStreamsReadBackExactly) {
  const Bytes large = Pattern(5 * 1024 * 1024 + 123, 1);
  const Bytes tiny = {0x09, 0x08, 0x10};  // below the size at which streams leave the mini stream
  documents.WriteSingleStream(Utf8(folder + L"large.xls"), "Workbook", large);
  documents.WriteSingleStream(Utf8(folder + L"tiny.xls"), "Workbook", tiny);

  EXPECT_TRUE(ReadStream(folder + L"large.xls", L"Workbook") == large);
  EXPECT_TRUE(ReadStream(folder + L"tiny.xls", L"Workbook") == tiny);
  EXPECT_EQ(Files().size(), 2u);
}

TEST_F(CompoundDocuments, AFailureKeepsTheOldFileAndLeavesNothingBehind) {
  const std::wstring book = folder + L"book.xls";
  WritePlainFile(book, "old contents");

  const std::string missingFolder = FailingWrite(folder + L"missing\\book.xls");
  std::string held;
  {
    const win32::UniqueFileHandle holder(CreateFileW(book.c_str(), GENERIC_READ, 0, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                     nullptr));
    ASSERT_TRUE(holder);
    held = FailingWrite(book);
  }

  EXPECT_TRUE(FileBytes(book) == "old contents");
  EXPECT_EQ(Files(), std::vector<std::wstring>{L"book.xls"});
  EXPECT_FALSE(missingFolder.empty());
  EXPECT_FALSE(held.empty());
}

}  // namespace
}  // namespace tesk::wine_test
