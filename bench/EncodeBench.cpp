// Encoding one KVX logo from a bitmap in memory, against writing the 3008
// bytes it makes to a file and against loading a 24-bit BMP file of that
// size with the platform loader (the two costs that surround it in lumenc
// and in the viewer's save).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchFiles.h"
#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"
#include "codec/Encoder.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/files/HostFiles.h"

namespace {

// A 50 x 30 picture held in memory like a loaded bitmap, a third of it
// near-black.
class Picture : public lum::SourceBitmap {
 public:
  Picture() {
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 50; ++x) {
        const bool dark = (x + y) % 3 == 0;
        pixels_.push_back(dark ? lum::Rgb{3, 2, 1}
                               : lum::Rgb{static_cast<uint8_t>(x * 5), static_cast<uint8_t>(y * 8), 200});
      }
    }
  }
  int32_t Width() const override { return 50; }
  int32_t Height() const override { return 30; }
  lum::Rgb PixelColour(int32_t x, int32_t y) const override { return pixels_[static_cast<size_t>(y) * 50 + x]; }

 private:
  std::vector<lum::Rgb> pixels_;
};

using lum::bench::TempFolder;

void BM_EncodeKvx(benchmark::State& state) {
  const Picture picture;
  lum::ByteBuffer logo;
  for (auto _ : state) {
    lum::EncodeLogo(picture, true, logo);
    benchmark::DoNotOptimize(logo.Data());
  }
}
BENCHMARK(BM_EncodeKvx);

// A save under a new name: written beside, renamed into place, no flush.
void BM_SaveNewKvxFile(benchmark::State& state) {
  TempFolder folder;
  lum::ByteBuffer logo;
  lum::EncodeLogo(Picture(), true, logo);
  for (auto _ : state) {
    state.PauseTiming();
    ::unlink((folder / "logo.kvx").c_str());
    state.ResumeTiming();
    logo.SaveToFile(folder / "logo.kvx", lum::platform::HostFiles());
  }
}
BENCHMARK(BM_SaveNewKvxFile);

// A save that replaces the file of the iteration before: flushed to the disk
// first, so this measures the disk as much as the program.
void BM_ReplaceKvxFile(benchmark::State& state) {
  TempFolder folder;
  lum::ByteBuffer logo;
  lum::EncodeLogo(Picture(), true, logo);
  logo.SaveToFile(folder / "logo.kvx", lum::platform::HostFiles());
  for (auto _ : state) logo.SaveToFile(folder / "logo.kvx", lum::platform::HostFiles());
}
BENCHMARK(BM_ReplaceKvxFile);

// The 4614-byte 24-bit file of the 50 x 30 picture, as the platform writer
// makes it: "picture.bmp" in `folder`.
void WritePictureBmp(const TempFolder& folder) {
  lum::ByteBuffer logo, input, image;
  lum::EncodeLogo(Picture(), false, logo);
  logo.SaveToFile(folder / "logo.kvx", lum::platform::HostFiles());
  lum::DecodeLogo(folder / "logo.kvx", 0, input, image, lum::platform::HostFiles());
  lum::platform::Bitmap::LoadFromMemory(image.Data(), static_cast<size_t>(image.Size())).SaveToFile(folder / "picture.bmp");
}

void BM_LoadBmpFile(benchmark::State& state) {
  TempFolder folder;
  WritePictureBmp(folder);
  for (auto _ : state) {
    const lum::platform::Bitmap bitmap = lum::platform::Bitmap::LoadFromFile(folder / "picture.bmp");
    benchmark::DoNotOptimize(bitmap.Width());
  }
}
BENCHMARK(BM_LoadBmpFile);

// What lumenc does per file besides the walk: load, encode, save (into a
// folder without the logo file).
void BM_LoadEncodeSave(benchmark::State& state) {
  TempFolder folder;
  WritePictureBmp(folder);
  lum::ByteBuffer logo;
  for (auto _ : state) {
    state.PauseTiming();
    ::unlink((folder / "logo.kvx").c_str());
    state.ResumeTiming();
    const lum::platform::Bitmap bitmap = lum::platform::Bitmap::LoadFromFile(folder / "picture.bmp");
    lum::EncodeLogo(bitmap, true, logo);
    logo.SaveToFile(folder / "logo.kvx", lum::platform::HostFiles());
  }
}
BENCHMARK(BM_LoadEncodeSave);

}  // namespace
