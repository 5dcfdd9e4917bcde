// Lumiq's window with the sans-serif family, resolution and Qt scaling
// given on the command line (family dpi scaling, as "Noto-Sans 144 0");
// tests/CMakeLists.txt runs it under several, each in a process of its own,
// since Qt reads the resolution once, when the application starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <algorithm>
#include <string>

#include "platform/controls/Application.h"
#include "platform/controls/Control.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Scaling.h"
#include "tests/SansSerif.h"
#include "tests/ShellTestSupport.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

namespace lum::test {

std::string family = kReferenceSansSerif;

namespace {

QRect InForm(const QWidget& widget, const TForm1& form) { return {widget.mapTo(&form, QPoint(0, 0)), widget.size()}; }

TEST(WindowFit, EveryControlAndEveryTextFitsTheWindowWithoutAStripOnTheRight) {
  ShellSandbox sandbox;
  ShellCtrlsUnit unit;
  TForm1 form;
  form.AfterConstruction();
  form.show();
  QCoreApplication::processEvents();
  const QFontInfo font(form.font());
  ASSERT_TRUE(font.family().startsWith(QString::fromStdString(family))) << font.family().toStdString();
  // An upright face of regular weight as it is cut, never one the font
  // engine narrowed.
  EXPECT_EQ(form.font().stretch(), QFont::AnyStretch);
  for (const char* slantOrWeight : {"Oblique", "Italic", "Bold", "Light"})
    EXPECT_FALSE(font.styleName().contains(QLatin1String(slantOrWeight))) << font.styleName().toStdString();
  // DejaVu Sans in its condensed face at 96 dpi is the design's own measure
  // (the face comes with fonts-dejavu-extra, which setup-deps installs).
  if (family == kReferenceSansSerif && form.PixelsPerInch() == 96) {
    EXPECT_TRUE((font.family() + font.styleName()).contains(QLatin1String("Condensed")))
        << (font.family() + " " + font.styleName()).toStdString();
    EXPECT_EQ(form.size(), QSize(815, 473));
  }

  int right = 0;
  for (const QWidget* control : form.findChildren<QWidget*>()) {
    if (!controls::IsControl(*control)) continue;
    const QRect bounds = InForm(*control, form);
    EXPECT_TRUE(form.rect().contains(bounds)) << control->objectName().toStdString();
    if (control->parentWidget() == form.Panel2) right = std::max(right, bounds.right());
  }
  // The design leaves 6 pixels, scaled with the rest; a pixel more or less
  // where edges are rounded.
  EXPECT_LE(form.rect().right() - right, form.Scaled(6) + 2);

  form.rgMode->SetItemIndex(1);  // the save button's longer caption
  for (const QWidget* widget : form.findChildren<QWidget*>()) {
    EXPECT_LE(controls::TextWidthNeeded(*widget), widget->width()) << widget->objectName().toStdString();
  }
  form.BeforeDestruction();
}

}  // namespace
}  // namespace lum::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc == 4) {
    lum::test::family = argv[1];
    std::replace(lum::test::family.begin(), lum::test::family.end(), '-', ' ');
    qputenv("QT_FONT_DPI", argv[2]);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", argv[3]);
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  lum::test::UseSansSerif(lum::test::family);
  lum::controls::TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
