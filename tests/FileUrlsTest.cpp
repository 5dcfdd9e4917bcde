// File URLs as file managers put them on the clipboard.
#include <gtest/gtest.h>

#include "platform/shell/FileUrls.h"
#include "tests/TestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(FileUrls, EveryByteSurvivesTheRoundTripAndOnlyLocalFileUrlsDecode) {
  const std::string path = "/tmp/a b/" + kNotUtf8;
  const std::string url = FileUrlFromPath(path);
  EXPECT_EQ(url, "file:///tmp/a%20b/logo%FF%FE.kvx");
  std::string back;
  ASSERT_TRUE(PathFromFileUrl(url, back));
  EXPECT_EQ(back, path);
  EXPECT_TRUE(PathFromFileUrl("file://localhost/x", back));
  EXPECT_EQ(back, "/x");
  EXPECT_FALSE(PathFromFileUrl("http://host/x", back));
  EXPECT_FALSE(PathFromFileUrl("file://other/x", back));
  EXPECT_FALSE(PathFromFileUrl("file:///a%00b", back));
  EXPECT_FALSE(PathFromFileUrl("file:///a%4", back));
}

}  // namespace
}  // namespace lum::test
