// Bitmaps: loading BMP files and in-memory BMP images, reading their pixels,
// and writing a bitmap as a 24-bit BMP file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "codec/SourceBitmap.h"

class QImage;

namespace lum::platform {

/// Larger bitmaps are refused as invalid from their header alone, before
/// anything is allocated for their pixels (64 Mi pixels take 256 MiB at
/// four bytes each); every bitmap up to it is read.
constexpr int64_t kMaxBitmapPixels = int64_t{64} << 20;

/// A loaded bitmap. Every pixel reads as the red, green and blue that the
/// file gives it, whatever its bit depth, palette or compression; a pixel
/// that an RLE stream leaves out is palette index 0, and a colour mask wider
/// than 8 bits gives its top 8 bits.
class Bitmap final : public SourceBitmap {
 public:
  /// An empty bitmap, 0 x 0.
  Bitmap();
  ~Bitmap() override;
  Bitmap(Bitmap&&) noexcept;
  Bitmap& operator=(Bitmap&&) noexcept;

  /// Reads a BMP file, whatever the extension of its name. Throws EFOpenError
  /// ("Datei %s kann nicht geöffnet werden. %s") when it can't be opened or
  /// is no regular file, EInvalidGraphic ("Bitmap ist ungültig") when it is
  /// not a BMP image that can be read correctly or is larger than
  /// kMaxBitmapPixels. Qt's image reader prints nothing meanwhile.
  static Bitmap LoadFromFile(const std::string& path);

  /// Reads an in-memory BMP image, such as a decoded logo. Throws
  /// EInvalidGraphic like LoadFromFile.
  static Bitmap LoadFromMemory(const uint8_t* bytes, size_t size);

  int32_t Width() const override;
  int32_t Height() const override;
  Rgb PixelColour(int32_t x, int32_t y) const override;

  /// The pixels as a picture for the screen (shared, not copied), opaque.
  QImage Picture() const;

  /// Writes the bitmap as a 24-bit BMP file: the 54-byte header with the
  /// file size filled in, then the rows bottom-up, each padded to four
  /// bytes. An existing file is replaced whole, so a save that fails leaves
  /// it as it was (ByteBuffer::SaveToFile). Throws EFCreateError ("Datei "%s"
  /// kann nicht erstellt werden. %s") when the file can't be created,
  /// EInOutError when writing fails.
  void SaveToFile(const std::string& path) const;

 private:
  struct Pixels;
  explicit Bitmap(std::unique_ptr<Pixels> pixels);
  std::unique_ptr<Pixels> pixels_;
};

}  // namespace lum::platform
