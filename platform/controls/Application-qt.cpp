#include "platform/controls/Application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QShortcut>
#include <QStyleFactory>
#include <algorithm>
#include <utility>

#include "platform/controls/ExceptionGuard.h"

namespace lum::controls {

namespace {

/// Qt's application object with the last net for failures: whatever a
/// guard did not catch is caught here, before Qt's event loop would end
/// the program.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
      HandleException(failure.what());
    } catch (...) {
      HandleException(std::string());
    }
    return false;
  }
};

std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

// A style the user chose for Qt programs, and Qt has, wins over Fusion.
bool UserChoseAStyle() {
  const QString chosen = qEnvironmentVariable("QT_STYLE_OVERRIDE");
  return !chosen.isEmpty() && QStyleFactory::keys().contains(chosen, Qt::CaseInsensitive);
}

}  // namespace

const std::vector<std::string>& ParamStrings() { return Arguments(); }

void SetParamStrings(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

void CloseOnQuitKey(QWidget& window) {
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &window);
  QObject::connect(quit, &QShortcut::activated, &window, &QWidget::close);
}

// Read before Qt is made: Qt would take out (and act on) every argument
// that looks like one of its options.
TApplication::TApplication(int& argc, char** argv)
    : qtArgc_(std::min(argc, 1)), qtArgv_{qtArgc_ > 0 ? argv[0] : nullptr, nullptr} {
  SetParamStrings(std::vector<std::string>(argv + qtArgc_, argv + argc));
  application_ = std::make_unique<GuardedApplication>(qtArgc_, qtArgv_);
  if (!UserChoseAStyle()) QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (QFile::exists(QStringLiteral(":/MAINICON"))) QApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
}

TApplication::~TApplication() { DestroyForms(); }

QString TApplication::Title() const { return ApplicationTitle(); }

int TApplication::Run() {
  int result = 0;
  if (TForm* form = MainForm()) {
    form->show();
    result = QApplication::exec();
  }
  DestroyForms();
  return result;
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    forms_.back()->BeforeDestruction();
    forms_.pop_back();
  }
}

}  // namespace lum::controls
