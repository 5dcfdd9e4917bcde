// Fuzz target: arbitrary bytes through the platform's bitmap loader, from
// memory and from a file. It must refuse with "Bitmap ist ungültig" or give
// a bitmap within its pixel bound whose every pixel can be read; it never
// crashes and never allocates beyond the bound (libFuzzer's malloc limit).
#include "codec/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "platform/bitmap/Bitmap.h"

namespace {

void Check(const lum::platform::Bitmap& bitmap) {
  const int64_t pixels = int64_t{bitmap.Width()} * bitmap.Height();
  if (bitmap.Width() < 0 || bitmap.Height() < 0 || pixels > lum::platform::kMaxBitmapPixels) {
    lum::fuzz::Fail("bitmap beyond its bound");
  }
  unsigned sum = 0;  // every pixel read: an uninitialised one trips MSan/valgrind, a bad index ASan
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) sum += bitmap.PixelColour(x, y).red;
  }
  volatile unsigned sink = sum;
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static lum::fuzz::MemoryFile file;
  file.Fill(data, size);
  bool fromMemory = false;
  try {
    Check(lum::platform::Bitmap::LoadFromMemory(data, size));
    fromMemory = true;
  } catch (const lum::EInvalidGraphic&) {
  }
  bool fromFile = false;
  try {
    Check(lum::platform::Bitmap::LoadFromFile(file.Path()));
    fromFile = true;
  } catch (const lum::EInvalidGraphic&) {
  }
  if (fromMemory != fromFile) lum::fuzz::Fail("file and memory loads disagree");
  return 0;
}
