// Showing a large logo as Lumiq's LoadLogoFile does, step by step: the
// bounded read of the file, the decode into the BMP image, and the bitmap
// the previews show, made from that image. Each run starts with buffers of
// its own, as the first show of a file does, so the cost of fresh memory is
// in every figure. The logo is square, its side the benchmark's argument.
#include <benchmark/benchmark.h>

#include "bench/BenchFiles.h"
#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/files/LogoFileRead.h"

namespace {

// A logo file of side x side varied pixels, one in seven transparent.
lum::bench::LogoFile LargeLogoFile(int32_t side) {
  uint32_t seed = 12345;
  return lum::bench::LogoFile(side, side, [&](int64_t i) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<uint16_t>(i % 7 == 0 ? 0 : seed >> 16);
  });
}

void SetPixels(benchmark::State& state) {
  state.counters["pixels"] = static_cast<double>(state.range(0) * state.range(0));
}

void BM_LargeLogoRead(benchmark::State& state) {
  const lum::bench::LogoFile file = LargeLogoFile(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    lum::ByteBuffer input;
    lum::platform::ReadLogoFile(file.Path(), input);
    benchmark::DoNotOptimize(input.Data());
  }
  SetPixels(state);
}

void BM_LargeLogoDecode(benchmark::State& state) {
  const lum::bench::LogoFile file = LargeLogoFile(static_cast<int32_t>(state.range(0)));
  lum::ByteBuffer input;
  lum::platform::ReadLogoFile(file.Path(), input);
  for (auto _ : state) {
    lum::ByteBuffer output;
    lum::DecodeLogoBytes(input.Data(), static_cast<size_t>(input.Size()), 5, output);
    benchmark::DoNotOptimize(output.Data());
  }
  SetPixels(state);
}

void BM_LargeLogoBitmap(benchmark::State& state) {
  const lum::bench::LogoFile file = LargeLogoFile(static_cast<int32_t>(state.range(0)));
  lum::ByteBuffer input, output;
  lum::platform::ReadLogoFile(file.Path(), input);
  lum::DecodeLogoBytes(input.Data(), static_cast<size_t>(input.Size()), 5, output);
  for (auto _ : state) {
    const lum::platform::Bitmap bitmap =
        lum::platform::Bitmap::LoadFromMemory(output.Data(), static_cast<size_t>(output.Size()));
    benchmark::DoNotOptimize(bitmap.Width());
  }
  SetPixels(state);
}

// The three steps together, as one show.
void BM_LargeLogoShow(benchmark::State& state) {
  const lum::bench::LogoFile file = LargeLogoFile(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    lum::ByteBuffer input, output;
    lum::platform::ReadLogoFile(file.Path(), input);
    lum::DecodeLogoBytes(input.Data(), static_cast<size_t>(input.Size()), 5, output);
    const lum::platform::Bitmap bitmap =
        lum::platform::Bitmap::LoadFromMemory(output.Data(), static_cast<size_t>(output.Size()));
    benchmark::DoNotOptimize(bitmap.Width());
  }
  SetPixels(state);
}

// 1024 (1 Mi pixels) to 4096 (16 Mi, the largest logo shown); milliseconds,
// CPU time is the figure.
#define LARGE_LOGO_BENCHMARK(name) \
  BENCHMARK(name)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)

LARGE_LOGO_BENCHMARK(BM_LargeLogoRead);
LARGE_LOGO_BENCHMARK(BM_LargeLogoDecode);
LARGE_LOGO_BENCHMARK(BM_LargeLogoBitmap);
LARGE_LOGO_BENCHMARK(BM_LargeLogoShow);

}  // namespace
