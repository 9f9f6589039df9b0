#include "windows/cut_pictures.h"

#include <gtest/gtest.h>

#include <string>

namespace tesk::windows {
namespace {

// A bitmap file header promising `size` bytes in all, its pixels at byte 54.
std::string Bitmap(std::uint32_t size, std::size_t actual) {
  std::string file = "BM";
  for (std::uint32_t value : {size, 0u, 54u}) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>(value >> (8 * i) & 0xFF);
  }
  file.resize(actual, '\x7F');
  return file;
}

TEST(CutPictures, BitmapsMustHoldWhatTheirHeaderPromisesAndJpegsMustEnd) {
  const std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + std::string(200, 'j');
  const struct {
    std::string file;
    bool cut;
  } cases[] = {
      {Bitmap(100, 100), false},
      {Bitmap(100, 99), true},
      {"BM", true},
      {jpeg + "\xFF\xD9" + std::string(16, '\0'), false},
      {jpeg, true},
      {std::string("\xFF\xD8\xFF\xD9", 4), false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsCutPicture(c.file), c.cut) << c.file.size();
}

}  // namespace
}  // namespace tesk::windows
