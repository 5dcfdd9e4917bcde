// The form at a logical resolution of 120 pixels per inch. Its own main()
// forces that resolution on the offscreen platform, with Qt's own scaling
// for high-density screens off, before the application object is made.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Scaling.h"
#include "tests/ControlsTestSupport.h"
#include "tests/SansSerif.h"
#include "tests/ShellTestSupport.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

namespace lum::test {
namespace {

TEST(ControlsAt120Dpi, TheFontGrowsAndEveryControlIsRescaledByTheTextHeight) {
  BrowserLayout layout = MakeBrowserLayout();
  controls::TForm& form = *layout.form;
  auto* original = new controls::TGroupBox(layout.panel2);
  controls::SetBounds(*original, 8, 8, 129, 65);
  ASSERT_EQ(form.PixelsPerInch(), 120);
  EXPECT_EQ(form.font().pixelSize(), 14);
  // The desktop's sans-serif (DejaVu Sans) is 16 pixels high at 14.
  ASSERT_EQ(controls::TextHeight(form.font()), 16);

  form.AfterConstruction();
  // The window grows with its controls, by 16 / 13.
  EXPECT_EQ(form.size(), QSize(1003, 582));
  EXPECT_EQ(original->geometry(), QRect(10, 10, 159, 80));
  // The aligned controls keep their shares: the lower panel 177 → 218
  // high, the tree 224 → 276 wide, the list the rest.
  EXPECT_EQ(layout.panel2->geometry(), QRect(0, 364, 1003, 218));
  EXPECT_EQ(layout.splitter2->geometry(), QRect(0, 362, 1003, 2));
  EXPECT_EQ(layout.panel1->geometry(), QRect(0, 0, 1003, 362));
  EXPECT_EQ(layout.tree->geometry(), QRect(1, 1, 276, 360));
  EXPECT_EQ(layout.splitter1->geometry(), QRect(277, 1, 4, 360));
  EXPECT_EQ(layout.list->geometry(), QRect(281, 1, 721, 360));
}

// By 16 / 13 at least; more where a face wider than the design's needs it.
TEST(ControlsAt120Dpi, LumiqOpensLargerByTheScaleOfItsControls) {
  ShellSandbox sandbox;
  ShellCtrlsUnit unit;
  TForm1 form;
  form.AfterConstruction();
  EXPECT_GE(form.Scaled(13), 16);
  EXPECT_EQ(form.size(), QSize(form.Scaled(815), form.Scaled(473)));
  EXPECT_EQ(form.SaveBtn->geometry(), QRect(QPoint(form.Scaled(576), form.Scaled(120)),
                                            QPoint(form.Scaled(576 + 113) - 1, form.Scaled(120 + 49) - 1)));
  form.BeforeDestruction();
}

}  // namespace
}  // namespace lum::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qputenv("QT_FONT_DPI", "120");
  lum::test::UseSansSerif(lum::test::kReferenceSansSerif);
  lum::controls::TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
