#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QVariant>

#include "codec/ByteBuffer.h"
#include "codec/LogoArgb.h"
#include "codec/LogoFormat.h"
#include "plugins/qt/LogoIOPlugin.h"

namespace lum::qt {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

// The bytes the device has left, or -1 where a sequential device can't say.
qint64 BytesLeft(QIODevice* device) {
  return device->isSequential() ? -1 : device->size() - device->pos();
}

// The rest of the device, at most one byte more than the largest logo file,
// which tells a file too large from one just large enough.
QByteArray ReadBounded(QIODevice* device) {
  QByteArray bytes;
  const qint64 left = BytesLeft(device);
  if (left > kMaxLogoFileSize) return bytes;
  if (left > 0) bytes.reserve(static_cast<int>(left));
  while (bytes.size() <= kMaxLogoFileSize) {
    const QByteArray chunk = device->read(kReadChunk);
    if (chunk.isEmpty()) break;
    bytes += chunk;
  }
  return bytes;
}

bool AllocatePicture(QSize size, QImage* image) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  // Within the reader's allocation limit, which the calling program sets.
  return QImageIOHandler::allocateImage(size, QImage::Format_ARGB32, image);
#else
  *image = QImage(size, QImage::Format_ARGB32);
  return !image->isNull();
#endif
}

bool ReadLogo(QIODevice* device, QImage* image) {
  const QByteArray bytes = ReadBounded(device);
  if (bytes.size() > kMaxLogoFileSize) return false;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  const auto size = static_cast<size_t>(bytes.size());
  const LogoHeader header = CheckLogoPicture(data, size);
  QImage picture;
  if (!AllocatePicture(QSize(header.width, header.height), &picture)) return false;
  for (int32_t y = 0; y < header.height; ++y) {
    DecodeLogoRowArgb(data, size, header, y, reinterpret_cast<uint32_t*>(picture.scanLine(y)));
  }
  *image = picture;
  return true;
}

bool WriteLogo(QIODevice* device, const QImage& image) {
  if (image.isNull()) return false;
  const QImage picture = image.convertToFormat(QImage::Format_ARGB32);
  if (picture.isNull()) return false;
  ByteBuffer logo;
  EncodeLogoArgb(picture.width(), picture.height(),
                 [&picture](int32_t y) { return reinterpret_cast<const uint32_t*>(picture.constScanLine(y)); },
                 logo);
  return device->write(reinterpret_cast<const char*>(logo.Data()), logo.Size()) == logo.Size();
}

}  // namespace

bool LogoHandler::canRead(QIODevice* device) {
  if (!device) return false;
  const QByteArray header = device->peek(kLogoHeaderSize);
  if (header.size() < kLogoHeaderSize) return false;
  return CouldBeLogoPicture(reinterpret_cast<const uint8_t*>(header.constData()), BytesLeft(device));
}

bool LogoHandler::canRead() const {
  try {
    if (!canRead(device())) return false;
    const QByteArray bytes = device()->peek(kLogoHeaderSize);
    const LogoHeader header = ReadLogoHeader(reinterpret_cast<const uint8_t*>(bytes.constData()));
    setFormat(ClassifySize(header.width, header.height) == SizeClass::Hzn ? "hzn" : "kvx");
    return true;
  } catch (...) {  // memory: nothing crosses into the calling program
    return false;
  }
}

bool LogoHandler::read(QImage* image) {
  if (!device() || !image) return false;
  try {
    return ReadLogo(device(), image);
  } catch (...) {  // a refused logo, or memory: a failed read to Qt
    return false;
  }
}

bool LogoHandler::write(const QImage& image) {
  if (!device()) return false;
  try {
    return WriteLogo(device(), image);
  } catch (...) {
    return false;
  }
}

QVariant LogoHandler::option(ImageOption option) const {
  if (option == ImageFormat) return QImage::Format_ARGB32;
  if (option != Size || !device()) return {};
  try {
    const QByteArray header = device()->peek(kLogoHeaderSize);
    if (header.size() < kLogoHeaderSize) return {};
    const LogoHeader logo = ReadLogoHeader(reinterpret_cast<const uint8_t*>(header.constData()));
    if (!CouldBeLogoPicture(reinterpret_cast<const uint8_t*>(header.constData()), -1)) return {};
    return QSize(logo.width, logo.height);
  } catch (...) {
    return {};
  }
}

bool LogoHandler::supportsOption(ImageOption option) const { return option == Size || option == ImageFormat; }

}  // namespace lum::qt
