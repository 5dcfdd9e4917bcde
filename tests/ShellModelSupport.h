// A fixture for the shell item model: a sandboxed user, the unit started,
// and items made as the browser's list makes them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ShellTestSupport.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace lum::test {

class ShellModelFixture : public ::testing::Test {
 protected:
  explicit ShellModelFixture(bool withDesktop = true) : sandbox_(withDesktop) {}

  /// The item a browser control gets for `rootText`.
  std::unique_ptr<TShellFolder> Root(const std::string& rootText) {
    std::unique_ptr<TShellFolder> none;
    std::string text = rootText;
    return ItemFromRootText(none, "", text);
  }

  /// The items of `root` as the list's fill makes them, in enumeration order.
  TShellFolders Children(TShellFolder& root, shell::SHCONTF flags) {
    return EnumerateFolderItems(root, flags, nullptr);
  }

  /// The child of `root` shown as `name`.
  std::unique_ptr<TShellFolder> Child(TShellFolder& root, const std::string& name) {
    for (auto& child : Children(root, shell::SHCONTF_FOLDERS | shell::SHCONTF_NONFOLDERS | shell::SHCONTF_INCLUDEHIDDEN))
      if (child->InFolderName() == name) return std::move(child);
    ADD_FAILURE() << "no child " << name;
    return nullptr;
  }

  ShellSandbox sandbox_;
  ShellCtrlsUnit unit_;
};

}  // namespace lum::test
