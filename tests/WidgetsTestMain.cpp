// main() of the test programs that make windows: the program's own
// application object (Fusion style, the exception guard's last net) on the
// offscreen platform, unless the environment names another, with the
// reference sans-serif.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/controls/Application.h"
#include "tests/SansSerif.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  lum::test::UseSansSerif(lum::test::kReferenceSansSerif);
  lum::controls::TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
