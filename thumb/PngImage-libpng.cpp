#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>

#include "base/Errors.h"
#include "codec/LogoArgb.h"
#include "thumb/PngImage.h"

namespace lum {

namespace {

// Where libpng's callbacks leave the file and the reason of a failure.
struct PngOutput {
  std::vector<uint8_t> bytes;
  bool outOfMemory = false;
  char reason[160] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* output = static_cast<PngOutput*>(png_get_error_ptr(png));
  std::snprintf(output->reason, sizeof output->reason, "%s", message);
  png_longjmp(png, 1);
}

// libpng would print its warnings on standard error; lumthumb prints one
// line of its own on failure and nothing else.
void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, size_t count) {
  auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
  try {
    output->bytes.insert(output->bytes.end(), data, data + count);
  } catch (const std::bad_alloc&) {
    output->outOfMemory = true;
  }
  // Outside the handler: the jump out of libpng must not leave a caught
  // exception behind.
  if (output->outOfMemory) png_error(png, "out of memory");
}

void OnPngFlush(png_structp) {}

// libpng reports a failure by jumping back here. Only plain values live in
// this frame and in the callbacks between, so the jump skips no destructor.
bool WritePng(png_structp png, png_infop info, const Thumbnail& thumbnail, uint8_t* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(thumbnail.width), static_cast<png_uint_32>(thumbnail.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const uint32_t* pixels = thumbnail.pixels.data();
  const auto width = static_cast<size_t>(thumbnail.width);
  for (int32_t y = 0; y < thumbnail.height; ++y, pixels += width) {
    ArgbToRgba(pixels, width, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<uint8_t> PngBytes(const Thumbnail& thumbnail) {
  PngOutput output;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  struct Release {
    png_structp png;
    png_infop info;
    ~Release() { png_destroy_write_struct(&png, &info); }
  } release{png, info};
  if (!info) throw EOutOfMemory();

  std::vector<uint8_t> row(4 * static_cast<size_t>(thumbnail.width));
  png_set_write_fn(png, &output, OnPngWrite, OnPngFlush);
  if (!WritePng(png, info, thumbnail, row.data())) {
    if (output.outOfMemory) throw EOutOfMemory();
    throw LumError(std::string("PNG: ") + output.reason);
  }
  return std::move(output.bytes);
}

}  // namespace lum
