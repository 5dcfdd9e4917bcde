// The file list's fill, filter and sort over one folder, opened two ways:
// by its path, and as the desktop (the viewer's start), whose desktop
// directory the folder is made for the run. Both should cost the same.
//
//   shell_root_fill <folder> [runs]
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace {

// Enumerate, keep the logo files (as the viewer's add-filter does) and sort
// them by name through the root folder, as the list sorts its rows.
size_t FillFilterSort(lum::TShellFolder& root) {
  using namespace lum::shell;
  std::vector<std::unique_ptr<lum::TShellFolder>> rows;
  ComPtr<IEnumIDList> enumerator;
  if (root.ShellFolder()->EnumObjects(nullptr, SHCONTF_NONFOLDERS | SHCONTF_FOLDERS, enumerator) != S_OK) return 0;
  IdList id;
  ULONG fetched = 0;
  while (enumerator->Next(1, &id, &fetched) == S_OK) {
    auto item = std::make_unique<lum::TShellFolder>(&root, id.get(),
                                                    lum::GetShellFolderOf(root.ShellFolder(), id.get(), nullptr));
    if (item->IsFolderItem()) continue;
    const std::string path = item->FullPath();
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".kvx") == 0) rows.push_back(std::move(item));
  }
  IShellFolder* folder = root.ShellFolder();
  std::sort(rows.begin(), rows.end(), [folder](const auto& a, const auto& b) {
    return ShortFromResult(folder->CompareIDs(0, a->RelativeID(), b->RelativeID())) < 0;
  });
  return rows.size();
}

double CpuMs() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The best wall and CPU times of `runs` fills (the CPU time is the steadier
// figure on a machine shared with other work).
void BestOf(int runs, lum::TShellFolder& root, size_t& rows, double& wall, double& cpu) {
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuMs();
    rows = FillFilterSort(root);
    const double cpuMs = CpuMs() - cpuStart;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (run == 0 || ms < wall) wall = ms;
    if (run == 0 || cpuMs < cpu) cpu = cpuMs;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: shell_root_fill <folder> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  ::setenv("XDG_DESKTOP_DIR", argv[1], 1);
  try {
    lum::ShellCtrlsUnit unit;
    for (const std::string& rootText : {std::string(argv[1]), std::string("rfDesktop")}) {
      std::unique_ptr<lum::TShellFolder> none;
      std::string text = rootText;
      auto root = lum::ItemFromRootText(none, "", text);
      size_t rows = 0;
      double wall = 0, cpu = 0;
      BestOf(runs, *root, rows, wall, cpu);
      std::printf("%-9s rows %zu, best fill+filter+sort of %d: %.1f ms wall, %.1f ms CPU\n",
                  rootText == "rfDesktop" ? "desktop:" : "by path:", rows, runs, wall, cpu);
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  return 0;
}
