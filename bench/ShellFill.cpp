// What the file list does when it fills itself from a folder: enumerate the
// folder, make a TShellFolder for each item (with the bind rule), and ask
// IsFolderItem and FullPath, as the viewer's add-filter does. Prints the
// best of several fills.
//
//   shell_fill <folder> [runs]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace {

struct Fill {
  size_t items = 0;
  size_t files = 0;
  size_t pathBytes = 0;
};

Fill FillOnce(lum::TShellFolder& root) {
  using namespace lum::shell;
  Fill fill;
  const lum::TShellFolders rows =
      lum::EnumerateFolderItems(root, SHCONTF_NONFOLDERS | SHCONTF_FOLDERS, nullptr, [&](lum::TShellFolder& item) {
        ++fill.items;
        if (item.IsFolderItem()) return false;
        ++fill.files;
        fill.pathBytes += item.FullPath().size();
        return true;
      });
  return fill;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: shell_fill <folder> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  try {
    lum::ShellCtrlsUnit unit;
    std::unique_ptr<lum::TShellFolder> none;
    std::string text = argv[1];
    auto root = lum::ItemFromRootText(none, "", text);
    double best = 0;
    Fill fill;
    for (int run = 0; run < runs; ++run) {
      const auto start = std::chrono::steady_clock::now();
      fill = FillOnce(*root);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      if (run == 0 || ms < best) best = ms;
    }
    std::printf("items: %zu (files %zu, path bytes %zu)\nbest fill: %.1f ms of %d\n", fill.items, fill.files,
                fill.pathBytes, best, runs);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  return 0;
}
