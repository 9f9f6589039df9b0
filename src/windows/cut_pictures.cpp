#include "windows/cut_pictures.h"

#include <cstdint>

namespace tesk::windows {
namespace {

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// BITMAPFILEHEADER: "BM", the file size at 2, the pixels' offset at 10.
constexpr std::size_t kBitmapHeaderSize = 14;

bool IsCutBitmap(std::string_view file) {
  if (file.size() < kBitmapHeaderSize) return true;
  return LittleEndian32(file, 2) > file.size() || LittleEndian32(file, 10) >= file.size();
}

bool IsCutJpeg(std::string_view file) {
  const std::size_t end = file.find_last_not_of('\0');
  return end == std::string_view::npos || end < 3 || file.substr(end - 1, 2) != "\xFF\xD9";
}

}  // namespace

bool IsCutPicture(std::string_view file) {
  if (file.substr(0, 2) == "BM") return IsCutBitmap(file);
  if (file.substr(0, 3) == "\xFF\xD8\xFF") return IsCutJpeg(file);
  return false;
}

}  // namespace tesk::windows
