// Lumiq: the viewer and converter of logo files. Starts the application and
// the browser's shell unit, creates the main window and runs until it is
// closed. A failure that reaches the message loop is shown in a box, and
// the window goes on.
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "console/ProgramInfo.h"
#include "console/Version.h"
#include "platform/controls/Application.h"
#include "platform/controls/ExceptionGuard.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

namespace {

constexpr const char* kHelp =
    "Lumiq - views KVX and HZN logo files and converts them to and from BMP files\n"
    "\n"
    "usage: Lumiq [file]\n"
    "       Lumiq /s file\n"
    "  file       a logo file to open in the browser, selected and shown\n"
    "  /s         show that one file in a compact window (also -s, any letter case)\n"
    "  --help     print this help (only as the only argument)\n"
    "  --version  print the version (only as the only argument)\n"
    "Every argument is Lumiq's own; Qt's options are taken from the environment\n"
    "(QT_QPA_PLATFORM, QT_STYLE_OVERRIDE, QT_SCALE_FACTOR, ...). See Lumiq(1).\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts: no window, and no display needed.
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (const auto status = lum::AnswerHelpOrVersion(arguments, "Lumiq", kHelp, std::cout)) return *status;

  lum::controls::TApplication application(argc, argv);
  // The launcher's name: docks find the window's icon and group it with the
  // launcher by it (the Wayland app id; on X11 with StartupWMClass=Lumiq).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.lumiq.Lumiq"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(lum::kFileVersion));
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
