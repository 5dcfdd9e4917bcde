#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>
#include <QWindow>
#include <stdexcept>

#include "tests/ControlsTestSupport.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

using controls::TForm;

// (screen − window) ÷ 2 with the halves rounded toward zero, also when the
// window is wider than the screen.
QPoint CentredPosition(const QSize& window) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const auto half = [](int space) { return space / 2; };
  return screen.topLeft() + QPoint(half(screen.width() - window.width()), half(screen.height() - window.height()));
}

TEST(Form, RunsShowBeforeItIsCentredAtTheSizeShowLeftAndThenShown) {
  ExceptionBoxRecorder boxes;
  TForm form;
  form.resize(815, 473);
  std::vector<std::string> events;
  form.OnCreate = [&] { events.push_back("create"); };
  form.OnShow = [&] {
    events.push_back(form.isVisible() ? "show while visible" : "show");
    form.SetClientHeight(179);
    throw std::runtime_error("Fehler");
  };
  form.OnDestroy = [&] { events.push_back("destroy"); };
  form.AfterConstruction();
  form.show();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.size(), QSize(815, 179));
  EXPECT_EQ(form.pos(), CentredPosition(form.frameGeometry().size()));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  form.BeforeDestruction();
  form.BeforeDestruction();
  EXPECT_EQ(events, (std::vector<std::string>{"create", "show", "destroy"}));
}

class ResizeVetoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.resize(815, 473);
    form_.OnCanResize = [this](int, int, bool& resize) {
      if (locked_) resize = false;
    };
    form_.AfterConstruction();
    locked_ = true;
    form_.show();
    QCoreApplication::processEvents();
  }

  TForm form_;
  bool locked_ = false;
};

TEST_F(ResizeVetoTest, HoldsTheSizeAgainstTheUserTheWindowManagerAndTheProgram) {
  EXPECT_EQ(form_.minimumSize(), QSize(815, 473));
  EXPECT_EQ(form_.maximumSize(), QSize(815, 473));

  // As a window manager that ignores the size hints: the window takes the
  // new size at once, and the form's refusal sets it back.
  form_.windowHandle()->resize(900, 600);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form_.windowHandle()->geometry().size() == QSize(815, 473); }, kGenerousMs));
  EXPECT_EQ(form_.size(), QSize(815, 473));

  form_.showMaximized();
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return !(form_.windowState() & Qt::WindowMaximized) &&
               form_.windowHandle()->geometry().size() == QSize(815, 473);
      },
      kGenerousMs));
  EXPECT_EQ(form_.size(), QSize(815, 473));

  form_.SetClientHeight(179);
  EXPECT_EQ(form_.size(), QSize(815, 473));
}

// A window manager may keep a held size and still go full screen, as here
// where the window is as large as the screen: no resize to refuse, but the
// state must go.
TEST_F(ResizeVetoTest, FullScreenIsRefusedAsMaximisingIs) {
  locked_ = false;
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  form_.SetClientSize(screen.width(), screen.height());
  form_.move(10, 10);
  locked_ = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_.pos() == QPoint(10, 10) && form_.size() == screen; }, kGenerousMs));
  const QRect before = form_.geometry();
  form_.showFullScreen();
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return !(form_.windowState() & Qt::WindowFullScreen) && form_.geometry() == before; }, kGenerousMs));

  locked_ = false;
  form_.showFullScreen();
  EXPECT_TRUE(QTest::qWaitFor([&] { return bool(form_.windowState() & Qt::WindowFullScreen); }, kGenerousMs));
}

TEST_F(ResizeVetoTest, TheProgramLiftsTheVetoForItsOwnChange) {
  locked_ = false;
  form_.SetClientHeight(179);
  locked_ = true;
  EXPECT_EQ(form_.size(), QSize(815, 179));
  form_.SetClientHeight(473);
  EXPECT_EQ(form_.size(), QSize(815, 179));

  locked_ = false;
  form_.SetClientHeight(500);
  EXPECT_EQ(form_.size(), QSize(815, 500));
  form_.windowHandle()->resize(900, 600);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form_.size() == QSize(900, 600); }, kGenerousMs));
}

}  // namespace
}  // namespace lum::test
