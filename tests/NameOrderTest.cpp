// The order names sort in: as people expect, the bytes deciding between
// names that people would call equal.
#include <gtest/gtest.h>

#include "platform/shell/NameOrder.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(NameOrder, IgnoresCaseComparesNumbersAndFallsBackToBytes) {
  EXPECT_LT(CompareNames("logo2", "logo10"), 0);
  EXPECT_LT(CompareNames("Apple", "banana"), 0);
  EXPECT_LT(CompareNames("apple", "Banana"), 0);
  EXPECT_LT(CompareNames("a", "ab"), 0);
  EXPECT_LT(CompareNames("x9y", "x10a"), 0);
  EXPECT_LT(CompareNames("ärger", "Ärgerlich"), 0);  // case folding beyond ASCII
  // Equal to a person, yet never 0: the bytes decide, both ways round.
  EXPECT_LT(CompareNames("LOGO", "logo"), 0);
  EXPECT_GT(CompareNames("logo", "LOGO"), 0);
  EXPECT_NE(CompareNames("logo01", "logo1"), 0);
  EXPECT_EQ(CompareNames("logo01", "logo01"), 0);
  EXPECT_EQ(CompareNames("logo01", "logo1"), -CompareNames("logo1", "logo01"));
  // Long digit runs do not overflow.
  EXPECT_LT(CompareNames("n99999999999999999999", "n100000000000000000000"), 0);
  EXPECT_NE(CompareNames(kNotUtf8, "logo.kvx"), 0);
}

}  // namespace
}  // namespace lum::test
