#include <gtest/gtest.h>

#include <QTest>

#include "tests/ControlsTestSupport.h"

namespace lum::test {
namespace {

QWidget* DragLineOf(const QWidget& parent) {
  return parent.findChild<QWidget*>(QStringLiteral("lum_splitter_line"), Qt::FindDirectChildrenOnly);
}

class SplitterTest : public ::testing::Test {
 protected:
  void SetUp() override { layout_.form->show(); }

  /// Presses the left button on `splitter` and moves the mouse by `offset`.
  static void StartDrag(controls::TSplitter& splitter, QPoint offset) {
    const QPoint start(1, 1);
    QTest::mousePress(&splitter, Qt::LeftButton, {}, start);
    QTest::mouseMove(&splitter, start + offset);
  }
  static void EndDrag(controls::TSplitter& splitter, QPoint offset) {
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(1, 1) + offset);
  }

  BrowserLayout layout_ = MakeBrowserLayout();
};

TEST_F(SplitterTest, ShowsALineWhileDraggingAndResizesThePaneOnRelease) {
  StartDrag(*layout_.splitter1, {100, 0});
  const QWidget* line = DragLineOf(*layout_.panel1);
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(line->geometry(), QRect(325, 1, 3, 292));
  EXPECT_EQ(layout_.tree->width(), 224);

  EndDrag(*layout_.splitter1, {100, 0});
  EXPECT_FALSE(line->isVisible());
  EXPECT_EQ(layout_.tree->geometry(), QRect(1, 1, 324, 292));
  EXPECT_EQ(layout_.splitter1->geometry(), QRect(325, 1, 3, 292));
  EXPECT_EQ(layout_.list->geometry(), QRect(328, 1, 486, 292));
}

TEST_F(SplitterTest, ALowerPanelDraggedTo30PixelsOrLessClosesAndTheBrowserFillsTheSpace) {
  StartDrag(*layout_.splitter2, {0, 147});  // 30 pixels left
  EndDrag(*layout_.splitter2, {0, 147});
  EXPECT_EQ(layout_.panel2->height(), 0);
  EXPECT_EQ(layout_.splitter2->geometry(), QRect(0, 471, 815, 2));
  EXPECT_EQ(layout_.panel1->geometry(), QRect(0, 0, 815, 471));

  // A closed pane is still the splitter's: dragging up opens it again.
  StartDrag(*layout_.splitter2, {0, -100});
  EndDrag(*layout_.splitter2, {0, -100});
  EXPECT_EQ(layout_.panel2->geometry(), QRect(0, 373, 815, 100));
}

TEST_F(SplitterTest, APaneDraggedTo31PixelsKeepsThem) {
  StartDrag(*layout_.splitter1, {-193, 0});
  EndDrag(*layout_.splitter1, {-193, 0});
  EXPECT_EQ(layout_.tree->width(), 31);
}

TEST_F(SplitterTest, TheOtherSideKeeps30Pixels) {
  StartDrag(*layout_.splitter2, {0, -1000});
  EndDrag(*layout_.splitter2, {0, -1000});
  EXPECT_EQ(layout_.panel1->height(), 30);
  EXPECT_EQ(layout_.panel2->geometry(), QRect(0, 32, 815, 441));

  StartDrag(*layout_.splitter1, {1000, 0});
  EndDrag(*layout_.splitter1, {1000, 0});
  EXPECT_EQ(layout_.list->width(), 30);
}

TEST_F(SplitterTest, EscapeCancelsTheDrag) {
  StartDrag(*layout_.splitter1, {100, 0});
  QTest::keyClick(layout_.form.get(), Qt::Key_Escape);
  EXPECT_FALSE(DragLineOf(*layout_.panel1)->isVisible());
  QTest::mouseMove(layout_.splitter1, QPoint(150, 1));
  EndDrag(*layout_.splitter1, {150, 0});
  EXPECT_EQ(layout_.tree->width(), 224);
}

TEST_F(SplitterTest, DoesNothingWhileItsPaneIsDisabled) {
  layout_.tree->setEnabled(false);
  StartDrag(*layout_.splitter1, {100, 0});
  const QWidget* line = DragLineOf(*layout_.panel1);
  EXPECT_TRUE(line == nullptr || !line->isVisible());
  EndDrag(*layout_.splitter1, {100, 0});
  EXPECT_EQ(layout_.tree->width(), 224);
}

}  // namespace
}  // namespace lum::test
