#include "platform/shell/DateTimeText.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

namespace lum::shell {

namespace {

std::string Format(const QDateTime& moment) {
  const QLocale locale;
  QString format = locale.dateTimeFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return locale.toString(moment, format).toStdString();
}

}  // namespace

std::string FileTimeText(int64_t secondsSinceEpoch) {
  return Format(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toLocalTime());
}

std::string LocalDateTimeText(int year, int month, int day, int hour, int minute, int second) {
  return Format(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

}  // namespace lum::shell
