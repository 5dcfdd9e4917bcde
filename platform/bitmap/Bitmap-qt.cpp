#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QLoggingCategory>
#include <QSize>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "base/Errors.h"
#include "codec/BmpImage.h"
#include "codec/ByteBuffer.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/bitmap/BmpPixels.h"
#include "platform/files/HostFiles.h"
#include "platform/files/InputFile.h"

namespace lum::platform {

namespace {

// A bitmap within kMaxBitmapPixels needs at most four bytes a pixel in any
// BMP variant (32 bits, or RLE runs of one pixel with their row ends), plus
// its headers and palette. Files are read no further than that, so a huge
// file costs no more memory than the largest bitmap it could hold.
constexpr int64_t kMaxBitmapFileRead = 4 * kMaxBitmapPixels + (int64_t{1} << 20);

// The first read takes a whole logo-sized BMP file at once; only larger files
// need a second.
constexpr int64_t kFirstRead = 64 * 1024;

// Qt's reader allocates the image in the file's own format, at most four
// bytes a pixel; its default limit, 128 MiB, would stop at 32 Mi pixels of 24
// bits. In MiB, as Qt counts it.
constexpr int kReaderAllocationLimit = static_cast<int>(4 * kMaxBitmapPixels >> 20);

QLoggingCategory::CategoryFilter previousFilter = nullptr;

// The loader reports its own failures; the reader's warnings would only
// reach lumenc's console. Every other category keeps what the filter before
// this one says.
void QuietImageReader(QLoggingCategory* category) {
  if (previousFilter) previousFilter(category);
  if (std::strcmp(category->categoryName(), "qt.gui.imageio") == 0) {
    for (const QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg}) category->setEnabled(type, false);
  }
}

void PrepareReader() {
  static const bool prepared = [] {
    QImageReader::setAllocationLimit(kReaderAllocationLimit);
    previousFilter = QLoggingCategory::installFilter(QuietImageReader);
    return true;
  }();
  (void)prepared;
}

// The refusals that must come before Qt allocates the image: no BMP header,
// or more pixels than a bitmap may have.
BmpLayout CheckHeader(const uint8_t* bytes, size_t size) {
  const auto layout = PeekBmpLayout(bytes, size);
  if (!layout || layout->PixelCount() > kMaxBitmapPixels) throw EInvalidGraphic();
  return *layout;
}

// Qt's reader stops at the end of a short file without saying so and leaves
// the rows it did not read uninitialised; such a file is refused instead.
// (An RLE stream may stop anywhere: what it leaves out is palette index 0.)
void CheckRowsPresent(const BmpLayout& layout, size_t size) {
  if (!layout.compressed && static_cast<int64_t>(size) < layout.PixelDataEnd()) throw EInvalidGraphic();
}

int Magnitude(int64_t v) { return static_cast<int>(v < 0 ? -v : v); }

QImage ExpandedRle(const uint8_t* bytes, size_t size, const BmpLayout& layout, const PixelPlan& plan) {
  QImage image(Magnitude(layout.width), Magnitude(layout.height), QImage::Format_Indexed8);
  if (image.isNull()) throw EOutOfMemory();
  image.fill(0u);
  image.setColorTable(QList<QRgb>(plan.colours.begin(), plan.colours.end()));
  ExpandRle(bytes, size, layout, plan.fourBits, image.bits(), static_cast<size_t>(image.bytesPerLine()));
  return image;
}

QImage MaskedImage(const uint8_t* bytes, size_t size, const BmpLayout& layout) {
  QImage image(Magnitude(layout.width), Magnitude(layout.height),
               layout.masks[3] != 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) throw EOutOfMemory();
  image.fill(0u);
  ReadMaskedPixels(bytes, size, layout, reinterpret_cast<uint32_t*>(image.bits()),
                   static_cast<size_t>(image.bytesPerLine()));
  return image;
}

QImage PlainRgb24Image(const uint8_t* bytes, size_t size, const BmpLayout& layout) {
  QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), QImage::Format_RGB32);
  if (image.isNull()) throw EOutOfMemory();
  ReadRgb24Pixels(bytes, size, layout, reinterpret_cast<uint32_t*>(image.bits()),
                  static_cast<size_t>(image.bytesPerLine()));
  return image;
}

// Decodes BMP bytes, BMP only: a PNG or JPEG named .bmp is not a bitmap
// here. Qt's reader decodes them, except the codings it gets wrong or reads
// slowly (BmpPixels.h), whose headers it still has to accept. Pixels are
// kept as unpremultiplied 32-bit 0xAARRGGBB (RGB32 or ARGB32), so each read
// is a plain lookup whatever the file's depth or palette.
QImage DecodeBmp(QByteArray bytes, const BmpLayout& layout) {
  PrepareReader();
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  const auto size = static_cast<size_t>(bytes.size());
  const PixelPlan plan = PlanPixelDecoding(data, size, layout);
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  QImageReader reader(&device, "BMP");
  reader.setAutoDetectImageFormat(false);
  QImage image;
  if (plan.decoding == PixelDecoding::Qt) {
    if (!reader.read(&image) || image.isNull()) throw EInvalidGraphic();
  } else {
    // Qt's reader takes the header alone for the size, which it gives as
    // stored when it accepts the header, and as (-1, -1) when it does not.
    if (layout.width < 1 || layout.height == 0 ||
        reader.size() != QSize(static_cast<int>(layout.width), static_cast<int>(layout.height))) {
      throw EInvalidGraphic();
    }
    switch (plan.decoding) {
      case PixelDecoding::Rle: image = ExpandedRle(data, size, layout, plan); break;
      case PixelDecoding::WideMasks: image = MaskedImage(data, size, layout); break;
      case PixelDecoding::Rgb24: image = PlainRgb24Image(data, size, layout); break;
      case PixelDecoding::Qt: break;  // read above
    }
  }
  // 24- and most 32-bit files arrive as RGB32, which already has this layout.
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) throw EOutOfMemory();
  }
  return image;
}

struct BmpFile {
  QByteArray bytes;
  BmpLayout layout;
};

BmpFile ReadBmpFile(const std::string& path) {
  InputFile file(path);
  const int64_t size = static_cast<int64_t>(std::min<uint64_t>(file.Size(), kMaxBitmapFileRead));
  QByteArray bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
  auto* data = reinterpret_cast<uint8_t*>(bytes.data());
  size_t got = file.Read(data, static_cast<size_t>(std::min(size, kFirstRead)));
  const BmpLayout layout = CheckHeader(data, got);
  if (got < static_cast<size_t>(size)) got += file.Read(data + got, static_cast<size_t>(size) - got);
  bytes.truncate(static_cast<qsizetype>(got));  // a file that shrank while open
  CheckRowsPresent(layout, got);
  return {std::move(bytes), layout};
}

}  // namespace

struct Bitmap::Pixels {
  explicit Pixels(QImage loaded = {})
      : image(std::move(loaded)), bits(image.constBits()), bytesPerLine(image.bytesPerLine()) {}
  QImage image;  // Format_RGB32 or Format_ARGB32
  // Kept at hand: the encoder reads every pixel through a virtual call, and
  // QImage's own accessors check their arguments each time.
  const uchar* bits;
  qsizetype bytesPerLine;
};

Bitmap::Bitmap() : pixels_(std::make_unique<Pixels>()) {}
Bitmap::Bitmap(std::unique_ptr<Pixels> pixels) : pixels_(std::move(pixels)) {}
Bitmap::~Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;

Bitmap Bitmap::LoadFromFile(const std::string& path) {
  BmpFile file = ReadBmpFile(path);
  return Bitmap(std::make_unique<Pixels>(DecodeBmp(std::move(file.bytes), file.layout)));
}

Bitmap Bitmap::LoadFromMemory(const uint8_t* bytes, size_t size) {
  const BmpLayout layout = CheckHeader(bytes, size);
  CheckRowsPresent(layout, size);
  // The caller's bytes outlive the decoding, so Qt reads them in place.
  return Bitmap(std::make_unique<Pixels>(
      DecodeBmp(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size)), layout)));
}

int32_t Bitmap::Width() const { return pixels_->image.width(); }
int32_t Bitmap::Height() const { return pixels_->image.height(); }

Rgb Bitmap::PixelColour(int32_t x, int32_t y) const {
  const QRgb pixel = reinterpret_cast<const QRgb*>(pixels_->bits + y * pixels_->bytesPerLine)[x];
  return Rgb{static_cast<uint8_t>(qRed(pixel)), static_cast<uint8_t>(qGreen(pixel)),
             static_cast<uint8_t>(qBlue(pixel))};
}

QImage Bitmap::Picture() const {
  QImage picture = pixels_->image;
  // The colours as they are, as the BMP writer and the encoder read them:
  // an alpha channel takes no part.
  if (picture.format() == QImage::Format_ARGB32) picture.reinterpretAsFormat(QImage::Format_RGB32);
  return picture;
}

void Bitmap::SaveToFile(const std::string& path) const {
  const int32_t width = Width();
  const int32_t height = Height();
  ByteBuffer file;
  file.SetSize(DecodedBmpSize(width, height));  // padding bytes stay zero
  uint8_t* out = file.Data();
  WriteBmpFileHeader(out, width, height);
  out += kBmpHeaderSize;
  const int32_t padding = BmpRowPadding(width);
  for (int32_t y = height - 1; y >= 0; --y) {  // bottom row first
    for (int32_t x = 0; x < width; ++x) {
      const Rgb colour = PixelColour(x, y);
      *out++ = colour.blue;
      *out++ = colour.green;
      *out++ = colour.red;
    }
    out += padding;
  }
  file.SaveToFile(path, HostFiles());
}

}  // namespace lum::platform
