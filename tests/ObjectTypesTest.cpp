// The browser's object types as the flags of a folder enumeration.
#include <gtest/gtest.h>

#include "viewer/ShellCtrls/RootFolders.h"

namespace lum {
namespace {

TEST(ObjectTypes, BecomeEnumerationFlags) {
  EXPECT_EQ(ObjectTypesToFlags({otNonFolders}), 0x40u);
  EXPECT_EQ(ObjectTypesToFlags({otFolders}), 0x20u);
  EXPECT_EQ(ObjectTypesToFlags({otFolders, otNonFolders, otHidden}), 0xE0u);
  EXPECT_EQ(ObjectTypesToFlags({}), 0u);
}

}  // namespace
}  // namespace lum
