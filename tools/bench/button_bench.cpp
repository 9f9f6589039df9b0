// Google Benchmark of the cmd button on the raster canvas: one full Redraw per style on a
// 100 x 30 button, and the picture compositor at 32 x 32 and 256 x 256, with and without the
// nearest-colour lookup a palette surface needs.

#include <benchmark/benchmark.h>

#include "button/cmd.h"
#include "button/compositor.h"
#include "doubles/raster_host.h"
#include "platform/raster/memory_picture.h"

namespace {

using tesk::button::Cmd;
using tesk::button::CompositeMode;
using tesk::button::Rgb;

void Redraw(benchmark::State& state) {
  tesk::test::RasterHost host(100, 30);
  Cmd cmd(host);
  cmd.Initialize();
  cmd.InitProperties();
  cmd.SetCaption("&Save file");
  cmd.SetPictureNormal(std::make_shared<tesk::platform::MemoryPicture>(
      tesk::platform::PictureType::Bitmap, 16, 16, std::vector<std::int32_t>(256, 0x2020D0)));
  cmd.SetButtonType(static_cast<std::int32_t>(state.range(0)));
  cmd.Show();
  for (auto _ : state) cmd.Redraw(tesk::button::kUp, true);
}
BENCHMARK(Redraw)->DenseRange(1, 14);

std::vector<Rgb> Pixels(std::int64_t side, Rgb colour) {
  return std::vector<Rgb>(static_cast<size_t>(side * side), colour);
}

void Composite(benchmark::State& state, bool lookup) {
  const std::int64_t side = state.range(0);
  std::vector<Rgb> source = Pixels(side, 0x2020D0);
  for (size_t i = 0; i < source.size(); i += 3) source[i] = 0xC0C0C0;  // some transparent
  std::vector<Rgb> target = Pixels(side, 0xF0F0F0);
  CompositeMode mode;
  mode.transparent = 0xC0C0C0;
  // What GetNearestColor does on a palette surface, here a 5-6-5 reduction.
  const tesk::button::NearestColor nearest = [](Rgb c) { return c & 0xF8FCF8; };
  for (auto _ : state) {
    tesk::button::CompositePixels(target, source, mode, lookup ? nearest : nullptr);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}
void CompositeTrueColor(benchmark::State& state) { Composite(state, false); }
void CompositeWithLookup(benchmark::State& state) { Composite(state, true); }
BENCHMARK(CompositeTrueColor)->Arg(32)->Arg(256);
BENCHMARK(CompositeWithLookup)->Arg(32)->Arg(256);

}  // namespace

BENCHMARK_MAIN();
