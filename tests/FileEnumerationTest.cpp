#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/files/FileEnumeration.h"
#include "tests/TestSupport.h"

namespace lum::platform {
namespace {

std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries) {
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
  return names;
}

TEST(FileEnumeration, StarAndQuestionMarkMatchIgnoringLetterCase) {
  EXPECT_TRUE(MatchesWildcard("*.kvx", "LOGO.KVX"));
  EXPECT_TRUE(MatchesWildcard("*.kvx", ".kvx"));
  EXPECT_FALSE(MatchesWildcard("*.kvx", "logo.kvx.bak"));
  EXPECT_TRUE(MatchesWildcard("l?go*", "Lago"));
  EXPECT_FALSE(MatchesWildcard("l?go", "lgo"));
  EXPECT_TRUE(MatchesWildcard("*", ".."));
  EXPECT_TRUE(MatchesWildcard("a*b*c", "aXXbYYbZc"));
  EXPECT_FALSE(MatchesWildcard("a*b*c", "aXXbYYbZ"));
  EXPECT_TRUE(MatchesWildcard("", ""));
  EXPECT_FALSE(MatchesWildcard("", "a"));
}

TEST(FileEnumeration, StarDotStarMatchesEveryNameAndNothingElseIsSpecial) {
  EXPECT_TRUE(MatchesWildcard("*.*", "logo"));
  EXPECT_TRUE(MatchesWildcard("*.*", "."));
  EXPECT_FALSE(MatchesWildcard("a*.*", "abc"));
  EXPECT_TRUE(MatchesWildcard("[ab].kvx", "[AB].kvx"));
  EXPECT_FALSE(MatchesWildcard("[ab].kvx", "a.kvx"));
  EXPECT_TRUE(MatchesWildcard("a\\*", "a\\xyz"));
  EXPECT_TRUE(MatchesWildcard("\xC4*", "\xC4rger.kvx"));
}

// Names are UTF-8 where they can be, and a person counts characters.
TEST(FileEnumeration, QuestionMarkMatchesOneCharacterOrOneByteThatIsNone) {
  EXPECT_TRUE(MatchesWildcard("?.kvx", "\xC3\xA4.kvx"));  // ä, two bytes
  EXPECT_FALSE(MatchesWildcard("??.kvx", "\xC3\xA4.kvx"));
  EXPECT_TRUE(MatchesWildcard("a?c", "a\xE2\x82\xAC" "c"));  // €, three bytes
  EXPECT_TRUE(MatchesWildcard("?x", "\xF0\x9F\x98\x80x"));  // an emoji, four bytes
  EXPECT_TRUE(MatchesWildcard("*?.kvx", "ab\xC3\xA4.kvx"));
  // Bytes that form no character match one each.
  EXPECT_TRUE(MatchesWildcard("?.kvx", "\xC4.kvx"));
  EXPECT_TRUE(MatchesWildcard("??.kvx", "\xC3(.kvx"));
  EXPECT_TRUE(MatchesWildcard("??", "\xE2\x82"));        // cut short
  EXPECT_TRUE(MatchesWildcard("??", "\xC0\xAF"));        // overlong "/"
  EXPECT_TRUE(MatchesWildcard("???", "\xED\xA0\x80"));  // a surrogate
}

TEST(FileEnumeration, LongHostileMasksStayFast) {
  const std::string name(5000, 'a');
  std::string pattern;
  for (int i = 0; i < 200; ++i) pattern += "*a";
  pattern += "b";
  EXPECT_FALSE(MatchesWildcard(pattern, name));
}

TEST(FileEnumeration, ListsMatchingEntriesSortedWithSizesAndDots) {
  test::TempDir dir;
  test::WriteFile(dir / "b.kvx", test::Bytes(3008));
  test::WriteFile(dir / "A.KVX", test::Bytes(10));
  test::WriteFile(dir / ".hidden.kvx", test::Bytes(1));
  test::WriteFile(dir / "c.bmp", test::Bytes(1));
  ASSERT_EQ(::mkdir((dir / "d.kvx").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("b.kvx", (dir / "link.kvx").c_str()), 0);

  const auto entries = FindMatchingEntries(dir / "*.kvx");
  EXPECT_EQ(Names(entries), (std::vector<std::string>{".hidden.kvx", "A.KVX", "b.kvx", "d.kvx", "link.kvx"}));
  EXPECT_EQ(entries[2].size, 3008u);
  EXPECT_TRUE(entries[3].isDirectory);
  EXPECT_EQ(entries[4].size, 3008u);  // the size of what the link points to

  const auto all = Names(FindMatchingEntries(dir / "*"));
  EXPECT_EQ(all.front(), ".");
  EXPECT_EQ(all[1], "..");
}

TEST(FileEnumeration, RelativeMasksMatchInTheWorkingFolderAndMissingFoldersGiveNothing) {
  test::TempDir dir;
  test::WriteFile(dir / "x.kvx", {});
  test::ScopedWorkingDirectory inDir(dir.Path());
  EXPECT_EQ(Names(FindMatchingEntries("x.KVX")), (std::vector<std::string>{"x.kvx"}));
  EXPECT_TRUE(FindMatchingEntries("missing/*").empty());
  EXPECT_TRUE(FindMatchingEntries("x.kvx/*").empty());
}

}  // namespace
}  // namespace lum::platform
