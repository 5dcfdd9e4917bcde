// The browser's ID-list helpers on hand-built lists.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/ShellTestSupport.h"
#include "viewer/ShellCtrls/IdLists.h"

namespace lum::test {
namespace {

// Builds a list from IDs given as their payload bytes.
class HandList {
 public:
  explicit HandList(std::initializer_list<std::string> payloads) {
    for (const std::string& payload : payloads) {
      const auto length = static_cast<uint16_t>(payload.size() + 2);
      bytes_.push_back(static_cast<uint8_t>(length & 0xFF));
      bytes_.push_back(static_cast<uint8_t>(length >> 8));
      bytes_.insert(bytes_.end(), payload.begin(), payload.end());
    }
    bytes_.push_back(0);
    bytes_.push_back(0);
  }
  PCUIDLIST Get() const { return reinterpret_cast<PCUIDLIST>(bytes_.data()); }
  ITEMIDLIST* Mutable() { return reinterpret_cast<ITEMIDLIST*>(bytes_.data()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> BytesOf(PCUIDLIST list) {
  const auto* start = reinterpret_cast<const uint8_t*>(list);
  return std::vector<uint8_t>(start, start + IdListSize(list));
}

TEST(IdLists, SizeAndCountWalkTheLengths) {
  const HandList list({"a", "bcd", std::string(300, 'x')});
  EXPECT_EQ(IdListSize(list.Get()), 3u + 5u + 302u + 2u);
  EXPECT_EQ(IdListCount(list.Get()), 3u);
  const HandList empty({});
  EXPECT_EQ(IdListSize(empty.Get()), 2u);
  EXPECT_EQ(IdListCount(empty.Get()), 0u);
  EXPECT_EQ(IdListSize(nullptr), 0u);
  EXPECT_EQ(IdListCount(nullptr), 0u);
}

TEST(IdLists, CopyAndConcatenationMakeNewBlocks) {
  const HandList a({"a", "bc"});
  const HandList b({"def"});
  const IdList copy = CopyIdList(a.Get());
  EXPECT_NE(static_cast<const void*>(copy.get()), static_cast<const void*>(a.Get()));
  EXPECT_EQ(BytesOf(copy.get()), a.Bytes());
  EXPECT_FALSE(CopyIdList(nullptr));

  EXPECT_EQ(BytesOf(ConcatIdLists(a.Get(), b.Get()).get()), HandList({"a", "bc", "def"}).Bytes());
  EXPECT_EQ(BytesOf(ConcatIdLists(nullptr, b.Get()).get()), b.Bytes());
  EXPECT_EQ(BytesOf(ConcatIdLists(HandList({}).Get(), b.Get()).get()), b.Bytes());
  EXPECT_FALSE(ConcatIdLists(nullptr, nullptr));
}

TEST(IdLists, ConcatenationWithAMissingTailStillEndsTheList) {
  const HandList a({"a", "bc"});
  const IdList joined = ConcatIdLists(a.Get(), nullptr);
  ASSERT_TRUE(joined);
  EXPECT_EQ(BytesOf(joined.get()), a.Bytes());
  EXPECT_EQ(IdListCount(joined.get()), 2u);
}

TEST(IdLists, TheLastIdIsCopiedAndStrippingItLeavesTheParent) {
  HandList list({"a", "bc", "def"});
  EXPECT_EQ(BytesOf(LastIdOf(list.Get()).get()), HandList({"def"}).Bytes());
  EXPECT_EQ(BytesOf(LastIdOf(HandList({}).Get()).get()), HandList({}).Bytes());

  StripLastId(list.Mutable());
  EXPECT_EQ(BytesOf(list.Get()), HandList({"a", "bc"}).Bytes());
  StripLastId(list.Mutable());
  StripLastId(list.Mutable());
  EXPECT_EQ(IdListCount(list.Get()), 0u);
  StripLastId(list.Mutable());  // an empty list stays empty
  EXPECT_EQ(IdListSize(list.Get()), 2u);
}

TEST(IdLists, AncestorChainRunsFromTheDesktopToTheParent) {
  const HandList list({"a", "bc", "def"});
  const std::vector<IdList> chain = AncestorChain(list.Get());
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(BytesOf(chain[0].get()), HandList({}).Bytes());
  EXPECT_EQ(BytesOf(chain[1].get()), HandList({"a"}).Bytes());
  EXPECT_EQ(BytesOf(chain[2].get()), HandList({"a", "bc"}).Bytes());
  EXPECT_TRUE(AncestorChain(HandList({}).Get()).empty());
}

TEST(IdLists, SameItemAsksTheDesktop) {
  ShellSandbox sandbox;
  MakeFolder(sandbox.Work() + "/Logo");
  MakeFolder(sandbox.Work() + "/logo");
  const IdList upper = ParsePath(sandbox.Work() + "/Logo");
  EXPECT_TRUE(SameItem(upper.get(), ParsePath(sandbox.Work() + "/Logo/").get()));
  EXPECT_FALSE(SameItem(upper.get(), ParsePath(sandbox.Work() + "/logo").get()));
  EXPECT_FALSE(SameItem(upper.get(), ParsePath(sandbox.Work()).get()));
  EXPECT_FALSE(SameItem(upper.get(), HandList({"foreign"}).Get()));
}

}  // namespace
}  // namespace lum::test
