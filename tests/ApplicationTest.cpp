// The application object as a program starts it: from a command line of its
// own, each case in a process of its own (CTest runs them one by one), on
// the offscreen platform unless the environment names another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "tests/TestSupport.h"

namespace lum::controls {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  ~ApplicationTest() override { qunsetenv("QT_STYLE_OVERRIDE"); }

  /// Starts the application with `commandLine`, the program's name first.
  TApplication& Start(std::vector<std::string> commandLine) {
    commandLine_ = std::move(commandLine);
    for (std::string& argument : commandLine_) argv_.push_back(argument.data());
    argv_.push_back(nullptr);
    argc_ = static_cast<int>(commandLine_.size());
    application_ = std::make_unique<TApplication>(argc_, argv_.data());
    return *application_;
  }
  QString StyleName() const { return QApplication::style()->name().toLower(); }

 private:
  std::vector<std::string> commandLine_;
  std::vector<char*> argv_;
  int argc_ = 0;
  std::unique_ptr<TApplication> application_;
};

// A file may be named like one of Qt's options; Qt must neither take it
// out of the command line nor act on it.
TEST_F(ApplicationTest, EveryArgumentIsTheProgramsAndNoneIsQts) {
  Start({"Lumiq", "/s", "-style=x.kvx", "-reverse", "-platform"});
  EXPECT_EQ(ParamStrings(), (std::vector<std::string>{"/s", "-style=x.kvx", "-reverse", "-platform"}));
  EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(StyleName(), "fusion");
}

TEST_F(ApplicationTest, TheStyleIsFusionByDefault) {
  Start({"Lumiq"});
  EXPECT_EQ(StyleName(), "fusion");
  EXPECT_TRUE(ParamStrings().empty());
}

TEST_F(ApplicationTest, AStyleTheUserChoseWins) {
  qputenv("QT_STYLE_OVERRIDE", "Windows");
  Start({"Lumiq"});
  EXPECT_EQ(StyleName(), "windows");
}

TEST_F(ApplicationTest, AStyleQtDoesNotHaveLeavesFusion) {
  qputenv("QT_STYLE_OVERRIDE", "no-such-style");
  Start({"Lumiq"});
  EXPECT_EQ(StyleName(), "fusion");
}

TEST_F(ApplicationTest, CtrlQClosesTheMainForm) {
  TApplication& application = Start({"Lumiq"});
  TForm& form = application.CreateForm<TForm>();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, test::kGenerousMs));
  QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace lum::controls
