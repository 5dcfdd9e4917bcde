#include "platform/controls/PlainText.h"

#include <QInputDialog>
#include <QLabel>
#include <QTextDocument>
#include <QToolTip>

namespace lum::controls {

std::unique_ptr<QLabel> MakePlainLabel(const QString& text) {
  auto label = std::make_unique<QLabel>();
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  return label;
}

std::unique_ptr<QMessageBox> MakePlainMessageBox(QMessageBox::Icon icon, const QString& caption,
                                                 const QString& text, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(icon, caption, QString(), QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  return box;
}

std::unique_ptr<QInputDialog> MakePlainInputDialog(const QString& title, const QString& prompt, QWidget* parent) {
  auto dialog = std::make_unique<QInputDialog>(parent);
  dialog->setWindowTitle(PlainWindowTitle(title));
  dialog->setLabelText(prompt);  // makes the dialog's one label
  for (QLabel* label : dialog->findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  return dialog;
}

QString PlainToolTip(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpacePre); }

void ShowPlainToolTip(const QPoint& at, const QString& text, QWidget* widget, const QRect& rect, int msecs) {
  QToolTip::showText(at, PlainToolTip(text), widget, rect, msecs);
}

QString PlainWindowTitle(const QString& text) {
  QString title = text;
  return title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace lum::controls
