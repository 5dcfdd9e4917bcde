#include <memory>

#include "plugins/qt/LogoIOPlugin.h"

namespace lum::qt {

namespace {

bool IsLogoFormat(const QByteArray& format) { return format == "kvx" || format == "hzn"; }

}  // namespace

QImageIOPlugin::Capabilities LogoPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
  if (IsLogoFormat(format)) return Capabilities(CanRead | CanWrite);
  // Without a format Qt asks every plugin about the content; writing is
  // offered only when asked for by name.
  if (!format.isEmpty() || !device || !device->isOpen()) return {};
  try {
    if (device->isReadable() && LogoHandler::canRead(device)) return Capabilities(CanRead);
  } catch (...) {  // memory: no logo, as far as Qt is concerned
  }
  return {};
}

QImageIOHandler* LogoPlugin::create(QIODevice* device, const QByteArray& format) const {
  try {
    auto handler = std::make_unique<LogoHandler>();
    handler->setDevice(device);
    handler->setFormat(format);
    return handler.release();  // Qt's image reader or writer owns it
  } catch (...) {
    return nullptr;
  }
}

}  // namespace lum::qt
