// The button gallery: every style in every look, for each colour scheme, with and without a
// picture, drawn through the real GDI path into one 24-bit BMP (scripts/gallery.sh makes it a
// PNG). Rows: up, hover, down, disabled, focused, default; columns: styles 1 to 14.

#include <windows.h>

#include <cstdio>
#include <vector>

#include "button/cmd.h"
#include "common/offscreen_host.h"
#include "common/test_pictures.h"

namespace {

using tesk::button::Cmd;
using tesk::button::Rgb;

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 30;
constexpr int kGap = 6;
constexpr int kStyles = 14;
constexpr int kLooks = 6;
constexpr int kBlocks = 8;  // four schemes, without and with a picture
constexpr Rgb kPaper = 0xF4F4F4;

struct Image {
  int width;
  int height;
  std::vector<Rgb> pixels;
  void Put(int left, int top, int w, const std::vector<Rgb>& cell) {
    for (size_t i = 0; i < cell.size(); ++i) {
      const int x = left + static_cast<int>(i) % w;
      const int y = top + static_cast<int>(i) / w;
      pixels[static_cast<size_t>(y * width + x)] = cell[i];
    }
  }
};

std::vector<Rgb> DrawCell(int style, int look, int scheme, bool withPicture) {
  tesk::tools::OffscreenHost host(kCellWidth, kCellHeight);
  host.isDefault = look == 5;
  Cmd cmd(host);
  cmd.Initialize();
  cmd.InitProperties();
  cmd.DisableRefresh();
  cmd.SetCaption(withPicture ? "&Open" : "&Save file");
  cmd.SetColorScheme(scheme);
  if (scheme == tesk::button::kCustomColors) {
    cmd.SetBackColor(0xB0E0F0);
    cmd.SetBackOver(0x80D0F0);
    cmd.SetForeColor(0x402000);
    cmd.SetForeOver(0x800000);
  }
  if (withPicture) {
    cmd.SetPictureNormal(tesk::tools::MakeBitmapPicture(16, 16, tesk::tools::BadgePixels(0xC0C0C0)));
  }
  cmd.SetButtonType(style);
  cmd.SetHovering(look == 1);
  cmd.SetFocus(look == 4);
  cmd.Show();
  if (look == 3) cmd.SetEnabled(false);
  cmd.Redraw(look == 2 ? tesk::button::kDown : tesk::button::kUp, true);
  return host.Pixels();
}

bool WriteBmp(const char* path, const Image& image) {
  const int stride = ((image.width * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * image.height);
  info = {sizeof info, image.width, image.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::vector<unsigned char> row(static_cast<size_t>(stride));
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb p = image.pixels[static_cast<size_t>(y * image.width + x)];
      row[static_cast<size_t>(x * 3)] = static_cast<unsigned char>(p >> 16);
      row[static_cast<size_t>(x * 3 + 1)] = static_cast<unsigned char>(p >> 8);
      row[static_cast<size_t>(x * 3 + 2)] = static_cast<unsigned char>(p);
    }
    std::fwrite(row.data(), 1, row.size(), out);
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gallery <out.bmp>\n");
    return 2;
  }
  CoInitialize(nullptr);
  const int blockHeight = kLooks * (kCellHeight + kGap) + kGap * 2;
  Image image{kGap + kStyles * (kCellWidth + kGap), kBlocks * blockHeight, {}};
  image.pixels.assign(static_cast<size_t>(image.width * image.height), kPaper);
  for (int block = 0; block < kBlocks; ++block) {
    const int scheme = block / 2 + 1;
    const bool withPicture = block % 2 == 1;
    for (int look = 0; look < kLooks; ++look) {
      for (int style = 1; style <= kStyles; ++style) {
        const int left = kGap + (style - 1) * (kCellWidth + kGap);
        const int top = block * blockHeight + kGap + look * (kCellHeight + kGap);
        image.Put(left, top, kCellWidth, DrawCell(style, look, scheme, withPicture));
      }
    }
  }
  CoUninitialize();
  return WriteBmp(argv[1], image) ? 0 : 1;
}
