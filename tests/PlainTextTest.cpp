// The helpers through which names reach the screen show them as they are.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "platform/controls/PlainText.h"

namespace lum::test {
namespace {

// A tooltip is shown as markup whenever its text looks like some; a name
// shows its characters instead, spaces and line breaks included.
TEST(PlainText, ATooltipShowsANameThatLooksLikeMarkupAsItIs) {
  QWidget widget;
  widget.setObjectName(QStringLiteral("tipped"));
  widget.show();
  const QString tip = QStringLiteral("<b>BOLD <i><img src=file:%2Fnonexistent%2Fpicture>x.kvx  two blanks\nand a line");
  controls::ShowPlainToolTip(widget.mapToGlobal(QPoint(1, 1)), tip, &widget, QRect());
  QLabel* tooltip = nullptr;
  for (QWidget* shown : QApplication::topLevelWidgets())
    if (shown->objectName() == QLatin1String("qtooltip_label")) tooltip = qobject_cast<QLabel*>(shown);
  ASSERT_NE(tooltip, nullptr);
  // What a screen reader reads: the text as rendered.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(tooltip)->text(QAccessible::Name), tip);
}

}  // namespace
}  // namespace lum::test
