// Decoding one KVX logo, in both variants, from a file in a temporary folder
// (the file is in the page cache after the first run, as in a batch).
#include <benchmark/benchmark.h>

#include "bench/BenchFiles.h"
#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"
#include "platform/files/HostFiles.h"

namespace {

// 50 x 30 varied pixels, one in seven transparent.
lum::bench::LogoFile KvxFile() {
  return lum::bench::LogoFile(50, 30, [](int64_t i) { return static_cast<uint16_t>(i % 7 == 0 ? 0 : 0x8000 | i); });
}

void BM_DecodeKvxViewer(benchmark::State& state) {
  const lum::bench::LogoFile file = KvxFile();
  lum::ByteBuffer input, output;
  for (auto _ : state) {
    lum::DecodeLogo(file.Path(), 5, input, output, lum::platform::HostFiles());
    benchmark::DoNotOptimize(output.Data());
  }
}
BENCHMARK(BM_DecodeKvxViewer);

void BM_DecodeKvxConsole(benchmark::State& state) {
  const lum::bench::LogoFile file = KvxFile();
  lum::ByteBuffer input;
  for (auto _ : state) lum::DecodeLogoToFile(file.Path(), input, lum::platform::HostFiles())->Close();
}
BENCHMARK(BM_DecodeKvxConsole);

}  // namespace
