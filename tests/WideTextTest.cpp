// Wide text that carries any bytes, UTF-8 or not.
#include <gtest/gtest.h>

#include "platform/shell/WideText.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(WideText, CarriesBytesThatAreNotUtf8BothWays) {
  for (const std::string& bytes : {std::string("Größe.kvx"), kNotUtf8, std::string("\xc3"), std::string("\xed\xa0\x80"),
                                  std::string("\xf0\x9f\x98\x80 smile")}) {
    EXPECT_EQ(BytesFromWide(WideFromBytes(bytes)), bytes);
  }
  EXPECT_EQ(WideFromBytes("Größe"), L"Größe");
}

}  // namespace
}  // namespace lum::test
