// The application object: Qt's application with the Fusion style and the
// exception guard as the event loop's last net, the program's forms, and
// the message loop.
//
// Qt sees none of the program's arguments: every one of them is the
// program's own (a file may be named "-style=x.kvx"). Qt's options come
// from the environment (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE, ...).
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Form.h"

class QApplication;

namespace lum::controls {

/// The program's arguments after its name, every one, as the bytes the
/// system gave them (a file name need not be UTF-8).
const std::vector<std::string>& ParamStrings();
/// Replaces them: a test starts a window with a command line of its own.
void SetParamStrings(std::vector<std::string> arguments);

/// Ctrl+Q closes `window`, as in every desktop program. The main form has it.
void CloseOnQuitKey(QWidget& window);

class TApplication {
 public:
  /// Takes the arguments after argv[0] as ParamStrings and makes Qt's
  /// application object with argv[0] alone. The style is Fusion, which the
  /// layouts are designed with, unless QT_STYLE_OVERRIDE names a style Qt
  /// has. The program's icon, the resource ":/MAINICON" when the program
  /// has one, becomes every window's icon.
  TApplication(int& argc, char** argv);
  /// Destroys the forms that are left (OnDestroy first), then Qt's object.
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  /// ApplicationTitle(): the caption of the failure boxes.
  QString Title() const;

  /// Creates a form owned by the application and runs its creation
  /// (AfterConstruction). The first form created is the main form, closed
  /// by Ctrl+Q.
  template <class Form>
  Form& CreateForm() {
    auto form = std::make_unique<Form>();
    Form& created = *form;
    forms_.push_back(std::move(form));
    created.AfterConstruction();
    if (&created == MainForm()) CloseOnQuitKey(created);
    return created;
  }
  TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

  /// Shows the main form and runs the message loop until it is closed; then
  /// destroys the forms. Returns the loop's exit code.
  int Run();

 private:
  void DestroyForms();

  // What Qt is given instead of the command line: the program's name alone.
  // Qt keeps references to both for the application's lifetime.
  int qtArgc_;
  char* qtArgv_[2];
  std::unique_ptr<QApplication> application_;
  std::vector<std::unique_ptr<TForm>> forms_;
};

}  // namespace lum::controls
