#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "platform/controls/ApplicationTexts.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/RadioGroup.h"
#include "tests/ControlsTestSupport.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

TEST(ExceptionGuard, ShowsTheFailureWithTheTitleAsCaptionAndGoesOn) {
  ExceptionBoxRecorder boxes;
  bool after = false;
  controls::Guard([] { throw std::runtime_error("Integerüberlauf"); });
  after = true;
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Integerüberlauf.");
  EXPECT_EQ(boxes.Boxes()[0].caption, controls::TitleFromProgramFile(QCoreApplication::applicationFilePath()));
  EXPECT_TRUE(after);
}

TEST(ExceptionGuard, APostedFailureShowsOnceAfterTheCurrentEvent) {
  ExceptionBoxRecorder boxes;
  controls::PostException("Bitmap ist ungültig");
  controls::PostException("Bitmap ist ungültig");
  EXPECT_TRUE(boxes.Boxes().empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Bitmap ist ungültig.");
  controls::PostException("Integerüberlauf");
  QCoreApplication::processEvents();
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

/// Fails in its own event handling, where no guard stands.
class FailingObject : public QObject {
 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("Bitmap ist ungültig");
    return QObject::event(event);
  }
};

TEST(ExceptionGuard, TheApplicationCatchesWhatEscapesAnEventHandler) {
  ExceptionBoxRecorder boxes;
  FailingObject object;
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&object, &event);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Bitmap ist ungültig.");
}

TEST(ExceptionGuard, AFailureInAHandlerRunByCodeStopsTheCallerToo) {
  ExceptionBoxRecorder boxes;
  controls::TRadioGroup group(nullptr);
  controls::SetBounds(group, 0, 0, 113, 50);
  group.SetColumns(2);
  group.SetItems({"Auto", "On", "Uit"});
  group.SetItemIndex(0);
  group.OnClick = [] { throw std::runtime_error("Datei x kann nicht geöffnet werden. weg"); };

  controls::TBitBtn button(nullptr);
  bool rest = false;
  button.OnClick = [&] {
    group.SetItemIndex(2);
    rest = true;
  };
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_FALSE(rest);
  EXPECT_EQ(group.ItemIndex(), 2);  // what it changed before stays changed
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Datei x kann nicht geöffnet werden. weg.");

  // Picked by the user, the item stays selected after the failure is shown.
  group.show();
  QTest::mouseClick(group.Button(1), Qt::LeftButton);
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_TRUE(group.Button(1)->isChecked());
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

// What a label shows, as a screen reader reads it: markup rendered, and
// plain text as it is.
QString ShownText(QLabel* label) {
  QAccessibleInterface* shown = label ? QAccessible::queryAccessibleInterface(label) : nullptr;
  return shown ? shown->text(QAccessible::Name) : QString();
}

TEST(ExceptionGuard, ANameThatLooksLikeMarkupIsShownAsItIs) {
  const std::string name = "<b>BOLD <i><img src=file:%2Fnonexistent%2Fpicture>x.kvx";
  const std::string message = "Datei /tmp/" + name + " kann nicht geöffnet werden. No such file or directory";
  QString shown;
  QElapsedTimer waited;
  waited.start();
  QTimer poll;  // the box blocks until it is answered
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box || !box->isVisible()) continue;
      shown = ShownText(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
      box->accept();
    }
    if (waited.elapsed() > kGenerousMs && QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
  });
  poll.start(10);
  controls::HandleException(message);
  EXPECT_EQ(shown.toStdString(), message + ".");
}

}  // namespace
}  // namespace lum::test
