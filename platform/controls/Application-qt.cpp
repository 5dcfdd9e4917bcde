#include "platform/controls/Application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
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

}  // namespace

const std::vector<std::string>& ParamStrings() { return Arguments(); }

void SetParamStrings(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

TApplication::TApplication(int& argc, char** argv)
    : application_(std::make_unique<GuardedApplication>(argc, argv)) {
  // Qt has taken its own options out of argv by now.
  SetParamStrings(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
