// Timing tool for the cmd button on the GDI canvas under Wine: one full Redraw per style on a
// 100 x 30 button, and the picture compositor with and without GetNearestColor for every pixel
// (what a palette surface needs, and what a true-colour surface skips). Medians of many runs.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "button/cmd.h"
#include "button/compositor.h"
#include "common/offscreen_host.h"
#include "common/test_pictures.h"

namespace {

using tesk::button::Rgb;

double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double MedianMicroseconds(int samples, int repeats, Body&& body) {
  std::vector<double> times;
  for (int s = 0; s < samples; ++s) {
    const double start = Now();
    for (int r = 0; r < repeats; ++r) body();
    times.push_back((Now() - start) / repeats * 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void RedrawPerStyle() {
  for (int style = 1; style <= 14; ++style) {
    tesk::tools::OffscreenHost host(100, 30);
    tesk::button::Cmd cmd(host);
    cmd.Initialize();
    cmd.InitProperties();
    cmd.SetCaption("&Save file");
    cmd.SetPictureNormal(
        tesk::tools::MakeBitmapPicture(16, 16, tesk::tools::BadgePixels(0xC0C0C0)));
    cmd.SetButtonType(style);
    cmd.Show();
    const double us = MedianMicroseconds(21, 50, [&] { cmd.Redraw(tesk::button::kUp, true); });
    std::printf("GDI Redraw, style %2d: median %.1f us\n", style, us);
  }
}

void CompositeRatio(int side) {
  tesk::tools::OffscreenHost host(side, side);
  tesk::platform::Canvas& canvas = host.Surface();
  std::vector<Rgb> source(static_cast<size_t>(side * side), 0x2020D0);
  std::vector<Rgb> target(source.size(), 0xF0F0F0);
  tesk::button::CompositeMode mode;
  mode.transparent = 0xC0C0C0;
  const tesk::button::NearestColor lookup = [&canvas](Rgb c) { return canvas.NearestColor(c); };
  const double plain = MedianMicroseconds(21, 10, [&] {
    tesk::button::CompositePixels(target, source, mode);
  });
  const double looked = MedianMicroseconds(11, 2, [&] {
    tesk::button::CompositePixels(target, source, mode, lookup);
  });
  std::printf("Compositor %dx%d: %.1f us true colour, %.1f us with GetNearestColor per pixel "
              "(%.0fx)\n", side, side, plain, looked, looked / plain);
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  RedrawPerStyle();
  CompositeRatio(32);
  CompositeRatio(256);
  CoUninitialize();
  return 0;
}
