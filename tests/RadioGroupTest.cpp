#include <gtest/gtest.h>

#include <QAccessible>
#include <QRadioButton>
#include <QTest>

#include "platform/controls/Control.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Scaling.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

using controls::TRadioGroup;

std::unique_ptr<TRadioGroup> MakeGroup(QRect bounds, int columns, const QStringList& items) {
  auto group = std::make_unique<TRadioGroup>(nullptr);
  group->setFont(controls::FormFont(96));
  controls::SetBounds(*group, bounds);
  group->SetColumns(columns);
  group->SetItems(items);
  return group;
}

TEST(RadioGroup, FillsItsColumnsOneAfterTheOther) {
  const auto colours = MakeGroup({384, 8, 185, 113}, 2,
                                 {"Zwart", "Blauw(donk)", "Groen (donk)", "Rood(donk)", "Grijs(donk)", "Wit  ", "Blau",
                                  "Groen", "Roo", "Grij"});
  EXPECT_EQ(colours->Button(0)->geometry(), QRect(8, 14, 87, 19));
  EXPECT_EQ(colours->Button(4)->geometry(), QRect(8, 90, 87, 19));
  EXPECT_EQ(colours->Button(5)->geometry(), QRect(95, 14, 87, 19));
  EXPECT_EQ(colours->Button(9)->geometry(), QRect(95, 90, 87, 19));

  const auto setting = MakeGroup({576, 63, 113, 50}, 2, {"Auto", "On", "Uit"});
  EXPECT_EQ(setting->Button(0)->geometry(), QRect(8, 14, 51, 16));
  EXPECT_EQ(setting->Button(1)->geometry(), QRect(8, 30, 51, 16));
  EXPECT_EQ(setting->Button(2)->geometry(), QRect(59, 14, 51, 16));

  // 87 pixels for four rows: the three left over are split around them.
  const auto styles = MakeGroup({696, 8, 113, 105}, 1, {"Lst.", "Gro.iconen ", "Kle.iconen ", "Details"});
  EXPECT_EQ(styles->Button(0)->geometry(), QRect(8, 15, 103, 21));
  EXPECT_EQ(styles->Button(3)->geometry(), QRect(8, 78, 103, 21));
  EXPECT_EQ(styles->Button(1)->text(), "Gro.iconen ");
}

TEST(RadioGroup, RunsOnClickWhenTheSelectionChangesByUserOrCodeAndNeverForTheSameItem) {
  const auto group = MakeGroup({0, 0, 185, 113}, 2, {"Zwart", "Blauw(donk)", "Groen (donk)", "Rood(donk)", "Wit  "});
  group->SetItemIndex(0);
  std::vector<int> clicks;
  group->OnClick = [&] { clicks.push_back(group->ItemIndex()); };
  group->show();
  group->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(group.get(), kGenerousMs));

  QTest::mouseClick(group->Button(4), Qt::LeftButton);
  QTest::mouseClick(group->Button(4), Qt::LeftButton);
  EXPECT_EQ(clicks, std::vector<int>{4});
  EXPECT_TRUE(group->Button(4)->isChecked());

  group->SetItemIndex(0);
  group->SetItemIndex(0);
  EXPECT_EQ(clicks, (std::vector<int>{4, 0}));
  EXPECT_TRUE(group->Button(0)->isChecked());
  EXPECT_FALSE(group->Button(4)->isChecked());

  group->Button(0)->setFocus();
  QTest::keyClick(group->Button(0), Qt::Key_Down);
  EXPECT_EQ(clicks, (std::vector<int>{4, 0, 1}));

  // An accessibility client toggles the item without a click.
  QAccessible::queryAccessibleInterface(group->Button(3))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(clicks, (std::vector<int>{4, 0, 1, 3}));
  EXPECT_EQ(group->ItemIndex(), 3);

  group->SetItemIndex(-1);
  EXPECT_EQ(clicks, (std::vector<int>{4, 0, 1, 3, -1}));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(group->Button(i)->isChecked()) << i;
}

// A caption too long for its box stops short of the top-right corner, as
// far in as it starts, and the frame runs on to the corner.
TEST(GroupBox, ACaptionTooLongForItsBoxLeavesTheFramesCornerDrawn) {
  controls::TGroupBox box(nullptr);
  box.setFont(controls::FormFont(96));
  box.resize(60, 40);
  box.SetCaption("Zet transparatie");
  const QImage shown = box.grab().toImage();
  const int frameTop = controls::TextHeight(box.font()) / 2 - 1;
  const QRgb frame = box.palette().color(QPalette::Dark).rgb();
  for (int x = box.width() - 8; x < box.width() - 2; ++x) EXPECT_EQ(shown.pixel(x, frameTop), frame) << x;
}

}  // namespace
}  // namespace lum::test
