// The Qt image plugin for KVX and HZN logo files, built against Qt 6 and
// Qt 5 from this one source. The handler only moves bytes between Qt's
// device and the codec; the format is the codec's. Nothing is thrown out of
// these classes and nothing is printed: they run inside other programs.
#pragma once

#include <QImageIOHandler>
#include <QImageIOPlugin>

namespace lum::qt {

class LogoHandler : public QImageIOHandler {
 public:
  /// Answers from the content, and names the format "hzn" for a 54 x 34
  /// logo, "kvx" for any other.
  bool canRead() const override;
  /// An ARGB32 picture: the word 0 transparent, every other word opaque in
  /// the decoder's colour. Reads at most a logo file of kMaxLogoPixels.
  bool read(QImage* image) override;
  /// Any picture at its own size: alpha below 128 becomes the transparent
  /// word, every other pixel the encoder's opaque word.
  bool write(const QImage& image) override;
  QVariant option(ImageOption option) const override;
  bool supportsOption(ImageOption option) const override;

  /// Whether the device holds a logo with pixels: peeks at the header only,
  /// and checks it against the bytes the device has left where their count
  /// is known (not on sequential devices).
  static bool canRead(QIODevice* device);
};

class LogoPlugin : public QImageIOPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "logo.json")

 public:
  Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
  QImageIOHandler* create(QIODevice* device, const QByteArray& format = QByteArray()) const override;
};

}  // namespace lum::qt
