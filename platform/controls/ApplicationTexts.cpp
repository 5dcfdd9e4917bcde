#include "platform/controls/ApplicationTexts.h"

namespace lum::controls {

QString TitleFromProgramFile(const QString& path) {
  QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  return name.left(1) + name.mid(1).toLower();
}

QString ExceptionText(const QString& message) {
  // The last UTF-16 unit of a character outside the basic plane is a low
  // surrogate, above 0x2E like the character itself.
  if (!message.isEmpty() && message.back().unicode() > 0x2E) return message + QLatin1Char('.');
  return message;
}

}  // namespace lum::controls
