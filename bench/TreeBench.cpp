// The folder tree: expanding a folder of many sub-folders, and selecting a
// deep folder by path, as the viewer's tree does both.
//
//   tree_bench make <folder>            <folder>/wide with 10,000 sub-folders,
//                                       <folder>/deep/l01/.../l20
//   tree_bench expand <folder> [runs]   a tree on <folder>; the time for the
//                                       user's expansion of "wide" until it
//                                       returns and until it is painted, the
//                                       paints, the cursor while loading;
//                                       against the enumeration alone and a
//                                       bare QTreeWidget given 10,000 items
//   tree_bench select <folder> [runs]   the tree and list as the viewer links
//                                       them, at the desktop: SelectPath to
//                                       deep/l01/.../l20 from a fresh tree,
//                                       and again with the ancestors loaded
//
// The offscreen platform unless QT_QPA_PLATFORM names another.
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace {

using lum::TShellTreeNode;
using lum::TShellTreeView;

constexpr int kWide = 10000;
constexpr int kDeep = 20;

double Milliseconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

struct Summary {
  double best = 0;
  double median = 0;
};

Summary Summarize(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

std::string DeepPath(const std::string& folder) {
  std::string path = folder + "/deep";
  for (int level = 1; level <= kDeep; ++level) path += "/l" + std::string(level < 10 ? "0" : "") + std::to_string(level);
  return path;
}

int Make(const std::string& folder) {
  // Created in a scrambled order, so that the tree sorts what it enumerates.
  for (int i = 0; i < kWide; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "d%05d", (i * 7919) % kWide);
    std::filesystem::create_directories(folder + "/wide/" + name);
  }
  std::filesystem::create_directories(DeepPath(folder));
  return 0;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TShellTreeNode* NodeNamed(TShellTreeNode* parent, const std::string& name) {
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Child(i)->Text() == name) return parent->Child(i);
  return nullptr;
}

int Expand(const std::string& folder, int runs) {
  std::vector<double> returned, painted;
  int paints = 0, children = 0;
  bool hourglass = true;
  for (int run = 0; run < runs; ++run) {
    TShellTreeView tree;
    tree.SetRoot(folder);
    tree.Loaded();
    tree.resize(300, 600);
    tree.show();
    QApplication::processEvents();
    TShellTreeNode* wide = NodeNamed(tree.RootNode(), "wide");
    if (!wide) {
      std::fprintf(stderr, "no folder \"wide\" in %s (tree_bench make)\n", folder.c_str());
      return 1;
    }
    if (run == 0) {
      // The cursor while the children are read, looked at in an untimed run.
      tree.SetOnAddFolder([&](lum::TCustomShellTreeView&, lum::TShellFolder*, bool&) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        hourglass = hourglass && cursor && cursor->shape() == Qt::WaitCursor;
      });
    }
    PaintCounter counter;
    tree.viewport()->installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    tree.expandItem(wide);
    const double back = Milliseconds(timer);
    QApplication::processEvents();
    const double shown = Milliseconds(timer);
    tree.viewport()->removeEventFilter(&counter);
    if (run == 0) continue;
    returned.push_back(back);
    painted.push_back(shown);
    paints = std::max(paints, counter.paints);
    children = wide->Count();
  }
  const Summary back = Summarize(returned), shown = Summarize(painted);
  std::printf("expand: %d sub-folders; returned after best %.1f ms (median %.1f), painted after best %.1f ms "
              "(median %.1f) of %d; at most %d paint(s) of the nodes; hourglass while reading: %s\n",
              children, back.best, back.median, shown.best, shown.median, runs - 1, paints, hourglass ? "yes" : "no");

  // The floors: reading the folder's items alone, and a bare tree widget
  // given as many items with names.
  std::vector<double> reads, bare;
  for (int run = 0; run < runs; ++run) {
    std::unique_ptr<lum::TShellFolder> none;
    std::string text = folder + "/wide";
    std::unique_ptr<lum::TShellFolder> root = lum::ItemFromRootText(none, "", text);
    QElapsedTimer timer;
    timer.start();
    const lum::TShellFolders items = lum::EnumerateFolderItems(*root, lum::shell::SHCONTF_FOLDERS, nullptr);
    reads.push_back(Milliseconds(timer));

    QTreeWidget widget;
    widget.resize(300, 600);
    widget.show();
    auto* top = new QTreeWidgetItem(&widget, QStringList{"wide"});
    QApplication::processEvents();
    timer.restart();
    QList<QTreeWidgetItem*> nodes;
    for (const auto& item : items) nodes.append(new QTreeWidgetItem(QStringList{QString::fromStdString(item->InFolderName())}));
    top->addChildren(nodes);
    top->setExpanded(true);
    QApplication::processEvents();
    bare.push_back(Milliseconds(timer));
  }
  const Summary read = Summarize(reads), widget = Summarize(bare);
  std::printf("floor: enumerating the folder's items %.1f ms (median %.1f); a bare QTreeWidget given %d named "
              "items, expanded and painted %.1f ms (median %.1f)\n",
              read.best, read.median, kWide, widget.best, widget.median);
  return 0;
}

int Select(const std::string& folder, int runs) {
  const std::string deep = DeepPath(folder);
  std::vector<double> fresh, loaded;
  std::string selected;
  size_t levels = 0;
  for (int run = 0; run < runs; ++run) {
    lum::TShellListView list;
    TShellTreeView tree;
    list.SetObjectTypes({lum::otNonFolders});
    list.SetAutoRefresh(true);
    list.SetOnAddFolder([](lum::TCustomShellListView&, lum::TShellFolder* item, bool& canAdd) {
      canAdd = !item->IsFolderItem();
    });
    tree.SetAutoRefresh(true);
    tree.SetShellListView(&list);
    list.SetShellTreeView(&tree);
    tree.Loaded();
    list.Loaded();
    tree.resize(300, 600);
    tree.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    tree.SelectPath(deep);
    fresh.push_back(Milliseconds(timer));
    selected = tree.Selected() ? tree.Selected()->Item()->FullPath() : "(none)";
    levels = tree.Selected() ? lum::IdListCount(tree.Selected()->Item()->AbsoluteID()) : 0;

    // Back at the root as the user would go there, then the same path with
    // every ancestor loaded.
    tree.Select(tree.RootNode());
    QApplication::processEvents();
    timer.restart();
    tree.SelectPath(deep);
    loaded.push_back(Milliseconds(timer));
  }
  const Summary first = Summarize(fresh), again = Summarize(loaded);
  std::printf("select: %s (%zu levels below the desktop)\n", selected.c_str(), levels);
  std::printf("select: from a fresh tree best %.1f ms (median %.1f); with the ancestors loaded best %.1f ms "
              "(median %.1f); of %d\n",
              first.best, first.median, again.best, again.median, runs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc < 3) {
    std::fputs("usage: tree_bench make|expand|select <folder> [runs]\n", stderr);
    return 2;
  }
  const std::string mode = argv[1];
  const std::string folder = std::filesystem::absolute(argv[2]).lexically_normal().string();
  const int runs = argc > 3 ? std::max(2, std::atoi(argv[3])) : 7;
  if (mode == "make") return Make(folder);
  lum::ShellCtrlsUnit unit;
  if (mode == "expand") return Expand(folder, runs);
  if (mode == "select") return Select(folder, runs);
  std::fputs("usage: tree_bench make|expand|select <folder> [runs]\n", stderr);
  return 2;
}
