// Lumiq: the viewer and converter of logo files. Starts the application and
// the browser's shell unit, creates the main window and runs until it is
// closed. A failure that reaches the message loop is shown in a box, and
// the window goes on.
#include <QCoreApplication>
#include <cstdio>
#include <exception>

#include "platform/controls/Application.h"
#include "platform/controls/ExceptionGuard.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

int main(int argc, char** argv) {
  lum::controls::TApplication application(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral("1.5.1.0"));
  // The browser's failures while Qt calls into it (drawing a row, say) go
  // to the same box, once that call is over.
  lum::SetControlExceptionHandler([](const std::exception& failure) { lum::controls::PostException(failure.what()); });
  try {
    lum::ShellCtrlsUnit shell;
    application.CreateForm<lum::TForm1>();
    return application.Run();
  } catch (const std::exception& failure) {
    // Only building the window can fail here: there is no window to go on with.
    std::fprintf(stderr, "Lumiq: %s\n", failure.what());
    return 1;
  }
}
