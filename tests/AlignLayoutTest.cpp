#include <gtest/gtest.h>

#include "tests/ControlsTestSupport.h"

namespace lum::test {
namespace {

TEST(AlignLayout, PlacesTheBrowserLayoutAsDesigned) {
  const BrowserLayout layout = MakeBrowserLayout();
  EXPECT_EQ(layout.panel1->geometry(), QRect(0, 0, 815, 294));
  EXPECT_EQ(layout.splitter2->geometry(), QRect(0, 294, 815, 2));
  EXPECT_EQ(layout.panel2->geometry(), QRect(0, 296, 815, 177));
  EXPECT_EQ(layout.tree->geometry(), QRect(1, 1, 224, 292));
  EXPECT_EQ(layout.splitter1->geometry(), QRect(225, 1, 3, 292));
  EXPECT_EQ(layout.list->geometry(), QRect(228, 1, 586, 292));
}

TEST(AlignLayout, ResizingTheWindowChangesOnlyTheUpperPanelsHeight) {
  const BrowserLayout layout = MakeBrowserLayout();
  layout.form->show();
  layout.form->resize(900, 600);
  EXPECT_EQ(layout.panel1->geometry(), QRect(0, 0, 900, 421));
  EXPECT_EQ(layout.splitter2->geometry(), QRect(0, 421, 900, 2));
  EXPECT_EQ(layout.panel2->geometry(), QRect(0, 423, 900, 177));
  EXPECT_EQ(layout.tree->geometry(), QRect(1, 1, 224, 419));
  EXPECT_EQ(layout.list->geometry(), QRect(228, 1, 671, 419));
}

TEST(AlignLayout, AHiddenControlLeavesItsStripToTheOthersUntilShownAgain) {
  const BrowserLayout layout = MakeBrowserLayout();
  layout.form->show();
  layout.tree->hide();
  EXPECT_EQ(layout.splitter1->geometry(), QRect(1, 1, 3, 292));
  EXPECT_EQ(layout.list->geometry(), QRect(4, 1, 810, 292));
  layout.tree->show();
  EXPECT_EQ(layout.tree->geometry(), QRect(1, 1, 224, 292));
  EXPECT_EQ(layout.list->geometry(), QRect(228, 1, 586, 292));
}

}  // namespace
}  // namespace lum::test
