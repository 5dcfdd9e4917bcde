#include "platform/controls/ExceptionGuard.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/controls/ApplicationTexts.h"
#include "platform/controls/PlainText.h"

namespace lum::controls {

namespace {

ExceptionBox& CurrentBox() {
  static ExceptionBox box;
  return box;
}

}  // namespace

QString ApplicationTitle() { return TitleFromProgramFile(QCoreApplication::applicationFilePath()); }

void HandleException(const std::string& message) noexcept {
  try {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const QString text = ExceptionText(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
    const QString caption = ApplicationTitle();
    if (const ExceptionBox& box = CurrentBox()) {
      box(caption, text);
      return;
    }
    // The message often holds a file name, which is shown as it is.
    const std::unique_ptr<QMessageBox> messageBox =
        MakePlainMessageBox(QMessageBox::Critical, caption, text, QApplication::activeWindow());
    messageBox->setWindowModality(Qt::ApplicationModal);
    messageBox->exec();
  } catch (...) {
    // Nothing is left to show a failure of the box itself with.
  }
}

void PostException(const std::string& message) noexcept {
  static bool waiting = false;
  if (waiting) return;
  try {
    waiting = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [message] {
      HandleException(message);
      waiting = false;
    });
  } catch (...) {
    waiting = false;
  }
}

ExceptionBox SetExceptionBox(ExceptionBox box) {
  ExceptionBox previous = std::move(CurrentBox());
  CurrentBox() = std::move(box);
  return previous;
}

}  // namespace lum::controls
