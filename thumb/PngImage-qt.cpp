#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include "base/Errors.h"
#include "thumb/PngImage.h"

namespace lum {

std::vector<uint8_t> PngBytes(const Thumbnail& thumbnail) {
  QCoreApplication::setLibraryPaths(QStringList());
  // The pixels are used in place; 0xAARRGGBB words are what ARGB32 holds.
  const QImage image(reinterpret_cast<const uchar*>(thumbnail.pixels.data()), thumbnail.width, thumbnail.height,
                     static_cast<qsizetype>(thumbnail.width) * 4, QImage::Format_ARGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (image.isNull() || !writer.write(image)) {
    throw LumError("PNG: " + writer.errorString().toStdString());
  }
  return std::vector<uint8_t>(bytes.cbegin(), bytes.cend());
}

}  // namespace lum
