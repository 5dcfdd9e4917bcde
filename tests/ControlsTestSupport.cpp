#include "tests/ControlsTestSupport.h"

#include "platform/controls/Control.h"

namespace lum::test {

ExceptionBoxRecorder::ExceptionBoxRecorder() : boxes_(std::make_shared<std::vector<RecordedBox>>()) {
  previous_ = controls::SetExceptionBox([boxes = boxes_](const QString& caption, const QString& text) {
    boxes->push_back({caption, text});
  });
}

ExceptionBoxRecorder::~ExceptionBoxRecorder() { controls::SetExceptionBox(std::move(previous_)); }

BrowserLayout MakeBrowserLayout() {
  using namespace controls;
  BrowserLayout layout;
  layout.form = std::make_unique<TForm>();
  TForm& form = *layout.form;
  form.resize(815, 473);
  layout.panel1 = new TPanel(&form);
  SetBounds(*layout.panel1, 0, 0, 815, 294);
  SetAlign(*layout.panel1, alClient);
  layout.tree = new QWidget(layout.panel1);
  SetBounds(*layout.tree, 1, 1, 224, 292);
  SetAlign(*layout.tree, alLeft);
  layout.splitter1 = new TSplitter(layout.panel1);
  SetBounds(*layout.splitter1, 225, 1, 3, 292);
  SetAlign(*layout.splitter1, alLeft);
  layout.list = new QWidget(layout.panel1);
  SetBounds(*layout.list, 228, 1, 586, 292);
  SetAlign(*layout.list, alClient);
  layout.panel2 = new TPanel(&form);
  SetBounds(*layout.panel2, 0, 296, 815, 177);
  SetAlign(*layout.panel2, alBottom);
  layout.splitter2 = new TSplitter(&form);
  SetBounds(*layout.splitter2, 0, 294, 815, 2);
  SetAlign(*layout.splitter2, alBottom);
  return layout;
}

}  // namespace lum::test
