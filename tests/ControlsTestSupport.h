// Helpers for the tests of the window controls: recording failure boxes
// instead of showing them, and the browser's layout built from plain
// widgets.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/controls/ExceptionGuard.h"
#include "platform/controls/Form.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"

namespace lum::test {

struct RecordedBox {
  QString caption;
  QString text;
};

/// Records every failure box while it lives, instead of showing it.
class ExceptionBoxRecorder {
 public:
  ExceptionBoxRecorder();
  ~ExceptionBoxRecorder();
  ExceptionBoxRecorder(const ExceptionBoxRecorder&) = delete;
  ExceptionBoxRecorder& operator=(const ExceptionBoxRecorder&) = delete;

  const std::vector<RecordedBox>& Boxes() const { return *boxes_; }

 private:
  std::shared_ptr<std::vector<RecordedBox>> boxes_;
  controls::ExceptionBox previous_;
};

/// The main window's browser layout: the aligned controls of the form with
/// their design bounds, in the order the form creates them; the tree and
/// the list are plain widgets, as the browser's own are.
struct BrowserLayout {
  std::unique_ptr<controls::TForm> form;
  controls::TPanel* panel1 = nullptr;
  QWidget* tree = nullptr;
  controls::TSplitter* splitter1 = nullptr;
  QWidget* list = nullptr;
  controls::TPanel* panel2 = nullptr;
  controls::TSplitter* splitter2 = nullptr;
};
BrowserLayout MakeBrowserLayout();

}  // namespace lum::test
