#include <gtest/gtest.h>

#include "platform/controls/ApplicationTexts.h"
#include "platform/controls/Scaling.h"

namespace lum::test {
namespace {

using controls::ExceptionText;

TEST(ExceptionText, EndsWithAFullStopUnlessTheLastCharacterIsAtOrBelowIt) {
  EXPECT_EQ(ExceptionText("Integerüberlauf"), "Integerüberlauf.");
  EXPECT_EQ(ExceptionText("Fehler 5"), "Fehler 5.");
  EXPECT_EQ(ExceptionText("Wirklich?"), "Wirklich?.");
  EXPECT_EQ(ExceptionText("Klaar."), "Klaar.");
  EXPECT_EQ(ExceptionText("Halt!"), "Halt!");
  EXPECT_EQ(ExceptionText("eins,"), "eins,");
  EXPECT_EQ(ExceptionText("(zwei)"), "(zwei)");
  EXPECT_EQ(ExceptionText("Fehler beim Festlegen des Pfades: \"/x\""), "Fehler beim Festlegen des Pfades: \"/x\"");
  EXPECT_EQ(ExceptionText("Größe ü"), "Größe ü.");
  EXPECT_EQ(ExceptionText("a-"), "a-");
  EXPECT_EQ(ExceptionText("a/"), "a/.");
  EXPECT_EQ(ExceptionText(""), "");
}

TEST(ApplicationTitle, IsTheProgramNameUpToItsFirstDotWithAllButTheFirstCharacterLowered) {
  EXPECT_EQ(controls::TitleFromProgramFile("/usr/bin/Lumiq"), "Lumiq");
  EXPECT_EQ(controls::TitleFromProgramFile("/opt/LUMIQ.V1.5.EXE"), "Lumiq");
  EXPECT_EQ(controls::TitleFromProgramFile("/opt/x.y/lumiq"), "lumiq");
  EXPECT_EQ(controls::TitleFromProgramFile("/opt/ÄRGER.bin"), "Ärger");
  EXPECT_EQ(controls::TitleFromProgramFile("/opt/.hidden"), "");
}

TEST(Scaling, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(controls::MulDiv(11, 120, 96), 14);
  EXPECT_EQ(controls::MulDiv(11, 144, 96), 17);
  EXPECT_EQ(controls::MulDiv(-11, 120, 96), -14);
  EXPECT_EQ(controls::MulDiv(296, 16, 13), 364);
  EXPECT_EQ(controls::MulDiv(1, 1, 0), -1);
  EXPECT_EQ(controls::MulDiv(2000000000, 2, 1), -1);
}

TEST(Scaling, KeepsAdjacentEdgesAdjacent) {
  // The tree, the splitter and the list, each starting where the last ends.
  const QRect tree(1, 1, 224, 292);
  const QRect splitter(225, 1, 3, 292);
  const QRect list(228, 1, 586, 292);
  const QRect scaledTree = controls::ScaledBounds(tree, 16, 13);
  const QRect scaledSplitter = controls::ScaledBounds(splitter, 16, 13);
  const QRect scaledList = controls::ScaledBounds(list, 16, 13);
  EXPECT_EQ(scaledTree, QRect(1, 1, 276, 360));
  EXPECT_EQ(scaledSplitter, QRect(277, 1, 4, 360));
  EXPECT_EQ(scaledList, QRect(281, 1, 721, 360));
  EXPECT_EQ(controls::ScaledBounds(QRect(8, 8, 129, 65), 16, 13), QRect(10, 10, 159, 80));
}

}  // namespace
}  // namespace lum::test
