// The application object: Qt's application with the Fusion style and the
// exception guard as the event loop's last net, the program's forms, and
// the message loop.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Form.h"

class QApplication;

namespace lum::controls {

/// The program's arguments after its name, as the bytes the system gave
/// them (a file name need not be UTF-8), without the options Qt takes.
const std::vector<std::string>& ParamStrings();
/// Replaces them: a test starts a window with a command line of its own.
void SetParamStrings(std::vector<std::string> arguments);

class TApplication {
 public:
  /// Makes Qt's application object; the program's icon, the resource
  /// ":/MAINICON" when the program has one, becomes every window's icon.
  TApplication(int& argc, char** argv);
  /// Destroys the forms that are left (OnDestroy first), then Qt's object.
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  /// ApplicationTitle(): the caption of the failure boxes.
  QString Title() const;

  /// Creates a form owned by the application and runs its creation
  /// (AfterConstruction). The first form created is the main form.
  template <class Form>
  Form& CreateForm() {
    auto form = std::make_unique<Form>();
    Form& created = *form;
    forms_.push_back(std::move(form));
    created.AfterConstruction();
    return created;
  }
  TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

  /// Shows the main form and runs the message loop until it is closed; then
  /// destroys the forms. Returns the loop's exit code.
  int Run();

 private:
  void DestroyForms();

  std::unique_ptr<QApplication> application_;
  std::vector<std::unique_ptr<TForm>> forms_;
};

}  // namespace lum::controls
