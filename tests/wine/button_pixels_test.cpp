// Every style in every look drawn twice, on the GDI canvas and on the raster canvas, with the
// same colours and the same text measurement: all pixels outside the captions must be equal,
// so that the raster canvas stays a faithful model of GDI for the native tests. Style 13's
// ellipse may differ by a pixel of outline: GDI's wide pens are not modelled exactly.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "button/cmd.h"
#include "common/offscreen_host.h"
#include "common/raster_twin.h"
#include "common/test_pictures.h"
#include "win32/ui/window_region.h"

namespace tesk::wine_test {
namespace {

using button::Cmd;
using button::Rgb;
using platform::Rect;

constexpr std::int32_t kWidth = 100;
constexpr std::int32_t kHeight = 30;

enum Look { kUp, kHover, kDown, kDisabled, kFocused, kDefault };

// The image has the pen's colour within one pixel of (x, y).
template <typename At>
bool PenNear(int x, int y, Rgb pen, const At& at) {
  for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, kHeight - 1); ++ny) {
    for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, kWidth - 1); ++nx) {
      if (at(nx, ny) == pen) return true;
    }
  }
  return false;
}

void Draw(button::ControlHost& host, std::int32_t style, Look look, const button::PicturePtr& picture) {
  Cmd cmd(host);
  cmd.Initialize();
  cmd.InitProperties();
  cmd.DisableRefresh();
  cmd.SetCaption("&Save file");
  if (picture) cmd.SetPictureNormal(picture);
  cmd.SetButtonType(style);
  cmd.SetHovering(look == kHover);
  cmd.SetFocus(look == kFocused);
  cmd.Show();
  if (look == kDisabled) cmd.SetEnabled(false);
  cmd.Redraw(look == kDown ? button::kDown : button::kUp, true);
}

// The pixels outside the captions where GDI and the raster canvas differ; the first five named.
std::string Differences(std::int32_t style, Look look, const button::PicturePtr& picture) {
  tools::OffscreenHost gdi(kWidth, kHeight);
  gdi.isDefault = look == kDefault;
  tools::RasterTwin raster(gdi);
  Draw(gdi, style, look, picture);
  Draw(raster, style, look, picture);
  const std::vector<Rgb> gdiPixels = gdi.Pixels();
  const auto gdiAt = [&gdiPixels](int x, int y) { return gdiPixels[y * kWidth + x]; };
  const auto rasterAt = [&raster](int x, int y) { return raster.canvas.raster.Pixel(x, y); };
  const auto& captions = raster.canvas.raster.Captions();
  const auto inCaption = [&captions](int x, int y) {
    return std::any_of(captions.begin(), captions.end(), [x, y](const auto& caption) {
      const Rect& r = caption.rect;
      return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
  };
  const Rgb pen = rasterAt(0, kHeight / 2);
  int count = 0;
  std::ostringstream first;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (gdiAt(x, y) == rasterAt(x, y) || inCaption(x, y)) continue;
      if (style == 13 && PenNear(x, y, pen, gdiAt) && PenNear(x, y, pen, rasterAt)) continue;
      if (++count <= 5) {
        first << " (" << x << "," << y << ") gdi " << std::hex << gdiAt(x, y) << " raster "
              << rasterAt(x, y) << std::dec;
      }
    }
  }
  return count ? std::to_string(count) + " pixels:" + first.str() : "";
}

TEST(ButtonPixels, GdiAndRasterAgreeOutsideTheCaptionInEveryStyleAndLook) {
  const button::PicturePtr badge =
      tools::MakeBitmapPicture(13, 13, std::vector<std::int32_t>(169, 0x2020D0));
  for (const button::PicturePtr& picture : {button::PicturePtr(), badge}) {
    for (std::int32_t style = 1; style <= 14; ++style) {
      for (Look look : {kUp, kHover, kDown, kDisabled, kFocused, kDefault}) {
        EXPECT_EQ(Differences(style, look, picture), "")
            << "style " << style << " look " << look << (picture ? " with picture" : "");
      }
    }
  }
}

// Each style's shape becomes the window's region pixel for pixel: the rectangle less the cut
// pixels, or for style 13 the ellipse, which holds the middles of its sides but no corner.
TEST(WindowRegion, IsTheShapeOfEachStyle) {
  for (std::int32_t style = 1; style <= 14; ++style) {
    const button::WindowShape shape = button::MakeRegion(style, kWidth, kHeight);
    HRGN region = win32::CreateWindowRegion(shape);
    ASSERT_NE(region, nullptr);
    const auto in = [region](int x, int y) { return PtInRegion(region, x, y) != 0; };
    const auto& cut = shape.removedPixels;
    int wrong = 0;
    for (int y = -1; y <= kHeight; ++y) {
      for (int x = -1; x <= kWidth && !shape.elliptic; ++x) {
        const bool inside = x >= 0 && y >= 0 && x < kWidth && y < kHeight &&
                            std::count(cut.begin(), cut.end(), platform::Point{x, y}) == 0;
        wrong += in(x, y) != inside;
      }
    }
    EXPECT_EQ(wrong, 0) << style;
    if (shape.elliptic) {
      EXPECT_TRUE(in(50, 15) && in(1, 15) && in(50, 1)) << style;
      EXPECT_FALSE(in(0, 0) || in(2, 2) || in(99, 15)) << style;
    }
    DeleteObject(region);
  }
}

}  // namespace
}  // namespace tesk::wine_test
