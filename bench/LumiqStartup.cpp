// The start of Lumiq to its first painted window, against a bare Qt window
// of the same size started the same way. Each run is a fresh process;
// bench/lumiq-startup runs it many times and takes the medians.
//
//   lumiq_startup lumiq   builds the application and TForm1 exactly as
//                         Lumiq's main does, started without a file (the
//                         desktop as root), and runs it
//   lumiq_startup bare    QApplication and a QWidget of 815 x 473
//   lumiq_startup folder  the same window holding a QTreeWidget with one
//                         folder: its name and the style's folder icon (the
//                         least a window showing folders costs: fonts and
//                         an icon looked up in the desktop's theme)
//
// LUM_START_NS, the wall clock (CLOCK_REALTIME, ns) just before the process
// was started, is the zero of every figure printed: the time at which the
// application object, the window and the first paint were done. The paint
// is counted as done once the event that painted the window has been
// handled (its backing store flushed), then the program quits.
#include <time.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileIconProvider>
#include <QTreeWidget>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "platform/controls/Application.h"
#include "platform/controls/ExceptionGuard.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

namespace {

long long RealtimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

const long long kStartNs = [] {
  const char* start = std::getenv("LUM_START_NS");
  return start ? std::atoll(start) : RealtimeNs();
}();

double SinceStartMs() { return static_cast<double>(RealtimeNs() - kStartNs) / 1e6; }

// Watches every paint of `window` and its children; after the first one's
// event has been handled, notes the time and quits the event loop.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
  double PaintedMs() const { return paintedMs_; }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_ && receiver->isWidgetType() &&
        static_cast<QWidget*>(receiver)->window() == &window_) {
      seen_ = true;
      // Queued: runs once the whole paint pass, children and flush included,
      // is over.
      QMetaObject::invokeMethod(
          qApp,
          [this] {
            paintedMs_ = SinceStartMs();
            QCoreApplication::quit();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget& window_;
  bool seen_ = false;
  double paintedMs_ = 0;
};

int Lumiq(int argc, char** argv) {
  // As Lumiq's main, with the watch on the window before it is shown.
  lum::controls::TApplication application(argc, argv);
  const double applicationMs = SinceStartMs();
  lum::controls::SetParamStrings({});  // started as "Lumiq", without a file
  QCoreApplication::setApplicationVersion(QStringLiteral("1.5.1.0"));
  lum::SetControlExceptionHandler(
      [](const std::exception& failure) { lum::controls::HandleException(failure.what()); });
  lum::ShellCtrlsUnit shell;
  lum::TForm1& form = application.CreateForm<lum::TForm1>();
  const double windowMs = SinceStartMs();
  FirstPaint paint(form);
  const int result = application.Run();
  std::printf("lumiq: application %.2f ms, window %.2f ms, first paint %.2f ms (%d x %d)\n", applicationMs,
              windowMs, paint.PaintedMs(), form.width(), form.height());
  return result;
}

int Bare(int argc, char** argv, bool withFolder) {
  QApplication application(argc, argv);
  const double applicationMs = SinceStartMs();
  QWidget window;
  window.resize(815, 473);
  if (withFolder) {
    auto* tree = new QTreeWidget(&window);
    tree->setGeometry(0, 0, 224, 292);
    auto* item = new QTreeWidgetItem(tree, {QStringLiteral("Desktop")});
    item->setIcon(0, QFileIconProvider().icon(QAbstractFileIconProvider::Folder));
  }
  const double windowMs = SinceStartMs();
  FirstPaint paint(window);
  window.show();
  const int result = QApplication::exec();
  std::printf("%s: application %.2f ms, window %.2f ms, first paint %.2f ms (%d x %d)\n",
              withFolder ? "folder" : "bare", applicationMs, windowMs, paint.PaintedMs(), window.width(),
              window.height());
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "lumiq") == 0) return Lumiq(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "bare") == 0) return Bare(argc, argv, false);
  if (argc >= 2 && std::strcmp(argv[1], "folder") == 0) return Bare(argc, argv, true);
  std::fprintf(stderr, "usage: lumiq_startup lumiq|bare|folder\n");
  return 2;
}
