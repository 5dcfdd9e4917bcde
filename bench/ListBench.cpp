// The file list over a folder of many files, as the viewer shows it, against
// Qt's own file-system model; sorting its rows; scrolling through them.
//
//   list_bench make <folder> [count]  count files (100,000), every 20th a ".kvx"
//                                     logo, sizes and times varied
//   list_bench list <folder> [runs]   the viewer's list (logo files only,
//                                     folders refused, sorted, watched): time
//                                     from setting Root to the rows being
//                                     ready, best and median of runs; peak memory
//   list_bench qt <folder>            QFileSystemModel with a sorting proxy
//                                     filtering "*.kvx", until every logo row is
//                                     there; peak memory
//   list_bench sort <folder> [column] every file as a row: SortRows by each
//                                     column (or only `column`, for strace),
//                                     the sorted fill's comparison, a bare
//                                     name sort, one statx per file in a bare
//                                     loop (the floor of a sort by size or
//                                     time), and the comparisons that look at
//                                     the files every time
//   list_bench scroll <folder>        the longest time one scroll step blocks
//                                     the event loop, through every row, in
//                                     each view style; the viewer's rows and
//                                     every file
//   list_bench rescan <folder> [runs] every file as a row, shown: F5 in each
//                                     view style, until its handling returns
//                                     and until the layout and paint after it
//                                     are done; best and median of runs
//   list_bench find <folder> [runs]   every file as a row: type-ahead for a
//                                     text that matches none, best and median
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell/NameOrder.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace {

using lum::TCustomShellListView;
using lum::TShellFolder;
using lum::TShellListView;

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Milliseconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// The processor time of this thread: on a machine shared with other work it
// moves much less than the wall time.
double ThreadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

bool IsLogoName(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".kvx" || extension == ".hzn";
}

// The viewer's add-filter: logo files only, never folders.
void ViewerFilter(TCustomShellListView&, TShellFolder* item, bool& canAdd) {
  canAdd = !item->IsFolderItem() && IsLogoName(item->FullPath());
}

int Make(const std::string& folder, int count) {
  std::filesystem::create_directories(folder);
  const char* const others[] = {".bmp", ".txt", ".dat", ".png"};
  for (int i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%06d%s", i % 20 == 0 ? "logo" : "file", (i * 7919) % count,
                  i % 20 == 0 ? ".kvx" : others[i % 4]);
    const std::string path = folder + "/" + name;
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0 || ::ftruncate(file, (i * 131) % 9000) != 0) return 1;
    ::close(file);
    const timespec times[2] = {{1700000000 + (i * 37) % 86400, (i * 1009) % 1000000000L},
                               {1700000000 + (i * 37) % 86400, (i * 1009) % 1000000000L}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  }
  return 0;
}

std::unique_ptr<TShellListView> ViewerList(const std::string& root) {
  auto list = std::make_unique<TShellListView>();
  list->SetObjectTypes({lum::otNonFolders});
  list->SetAutoRefresh(true);
  list->SetMultiSelect(true);
  list->SetViewStyle(lum::vsList);
  list->SetOnAddFolder(ViewerFilter);
  list->SetRoot(root);
  list->Loaded();
  return list;
}

int List(const std::string& folder, int runs) {
  const long before = PeakKiB();
  auto list = ViewerList("/");
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    list->SetRoot("/");
    QElapsedTimer timer;
    timer.start();
    list->SetRoot(folder);
    times.push_back(Milliseconds(timer));
  }
  std::sort(times.begin(), times.end());
  list->resize(800, 600);
  list->show();
  QElapsedTimer layout;
  layout.start();
  QApplication::processEvents();
  std::printf("list: %d rows; Root to rows ready: best %.1f ms, median %.1f ms of %d\n", list->RowCount(), times[0],
              times[times.size() / 2], runs);
  std::printf("list: first layout and paint %.1f ms\n", Milliseconds(layout));
  std::printf("list: peak memory %ld KiB (%ld KiB before the list)\n", PeakKiB(), before);
  return 0;
}

// Accepts the folder's ancestors, and in the folder the names the pattern
// matches.
class LogoProxy : public QSortFilterProxyModel {
 public:
  QPersistentModelIndex folder;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    if (parent != folder) return true;
    return QSortFilterProxyModel::filterAcceptsRow(row, parent);
  }
};

int QtModel(const std::string& folder) {
  int expected = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (IsLogoName(entry.path().filename())) ++expected;
  const long before = PeakKiB();
  QFileSystemModel model;
  LogoProxy proxy;
  proxy.setFilterWildcard("*.kvx");
  proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy.setSourceModel(&model);
  proxy.sort(0);
  bool loaded = false;
  QObject::connect(&model, &QFileSystemModel::directoryLoaded, [&](const QString&) { loaded = true; });
  QElapsedTimer timer;
  timer.start();
  const QString path = QString::fromStdString(folder);
  model.setRootPath(path);
  proxy.folder = model.index(path);
  double loadedAt = 0;
  int rows = 0;
  while (Milliseconds(timer) < 120000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    if (loaded && loadedAt == 0) loadedAt = Milliseconds(timer);
    rows = proxy.rowCount(proxy.mapFromSource(model.index(path)));
    if (loaded && rows >= expected) break;
  }
  std::printf("qt: %d of %d rows; directoryLoaded after %.1f ms, every row after %.1f ms\n", rows, expected, loadedAt,
              Milliseconds(timer));
  std::printf("qt: peak memory %ld KiB (%ld KiB before the model)\n", PeakKiB(), before);
  return 0;
}

// The best time of `runs` runs of `work`, each from the same scrambled row
// order (set up untimed), so that no run sorts rows that are sorted already.
template <class Work, class Prepare>
Timing BestOf(TShellListView& list, int runs, Work&& work, Prepare&& prepare) {
  std::vector<size_t> scrambled(static_cast<size_t>(list.RowCount()));
  for (size_t i = 0; i < scrambled.size(); ++i) scrambled[i] = (i * 7919) % scrambled.size();
  Timing best;
  for (int run = 0; run < runs; ++run) {
    list.SortRows(0);
    list.Model()->Reorder(scrambled);
    prepare();
    QElapsedTimer timer;
    timer.start();
    const double cpu = ThreadCpuMilliseconds();
    work();
    const Timing timing{Milliseconds(timer), ThreadCpuMilliseconds() - cpu};
    if (run == 0 || timing.cpu < best.cpu) best = timing;
  }
  return best;
}

template <class Work>
Timing BestOf(TShellListView& list, int runs, Work&& work) {
  return BestOf(list, runs, std::forward<Work>(work), [] {});
}

void Report(const char* what, const Timing& timing) {
  std::printf("sort: %-52s %7.1f ms (processor %7.1f ms)\n", what, timing.wall, timing.cpu);
}

int Sort(const std::string& folder, int onlyColumn) {
  TShellListView list;
  list.SetObjectTypes({lum::otNonFolders});
  list.SetRoot(folder);
  list.Loaded();
  const lum::TShellFolders& items = list.Model()->Items();
  if (onlyColumn >= 0) {
    list.SortRows(onlyColumn);
    std::printf("sort: %d rows by column %d\n", list.RowCount(), onlyColumn);
    return 0;
  }
  std::printf("sort: %d rows\n", list.RowCount());
  const char* const byColumn[] = {"SortRows(0), each row's key read once", "SortRows(1), each row's key read once",
                                  "SortRows(2), each row's key read once", "SortRows(3), each row's key read once"};
  for (int column = 0; column < 4; ++column) Report(byColumn[column], BestOf(list, 3, [&] { list.SortRows(column); }));
  Report("the sorted fill's order, keys read once", BestOf(list, 3, [&] { lum::ListOrder(items); }));
  std::vector<std::string> names;
  Report("bare name sort of the same names",
         BestOf(
             list, 3,
             [&] {
               std::sort(names.begin(), names.end(),
                         [](const std::string& a, const std::string& b) { return lum::shell::CompareNames(a, b) < 0; });
             },
             [&] {
               names.clear();
               for (const auto& item : items) names.push_back(item->InFolderName());
             }));
  // What the sorts by size and time cannot do without: one look at each
  // file, here the size alone, one after the other.
  const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  Report("floor: one statx (size) per file in a bare loop", BestOf(list, 3, [&] {
           for (const std::string& name : names) {
             struct statx status {};
             ::statx(directory, name.c_str(), AT_STATX_DONT_SYNC, STATX_SIZE, &status);
           }
         }));
  ::close(directory);
  Report("the list comparison item by item",
         BestOf(list, 1, [&] { lum::ComparisonOrder(items, lum::CompareListItems); }));
  const char* const itemByItem[] = {nullptr, "CompareWith(1) item by item", nullptr, "CompareWith(3) item by item"};
  for (int column : {1, 3})
    Report(itemByItem[column], BestOf(list, 1, [&] {
             lum::ComparisonOrder(
                 items, [column](const TShellFolder& a, const TShellFolder& b) { return a.CompareWith(b, column); });
           }));
  return 0;
}

// Scrolls `list` through every row a page at a time; the longest step.
double LongestScrollStep(TShellListView& list, int& steps) {
  QAbstractItemView* view = list.CurrentView();
  QApplication::processEvents();
  QScrollBar* bar = view->verticalScrollBar()->maximum() > 0 ? view->verticalScrollBar() : view->horizontalScrollBar();
  double longest = 0;
  steps = 0;
  for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
    QElapsedTimer timer;
    timer.start();
    bar->setValue(value);
    view->viewport()->repaint();
    QApplication::processEvents();
    longest = std::max(longest, Milliseconds(timer));
    ++steps;
  }
  return longest;
}

const char* StyleName(lum::TViewStyle style) {
  switch (style) {
    case lum::vsIcon: return "vsIcon";
    case lum::vsSmallIcon: return "vsSmallIcon";
    case lum::vsList: return "vsList";
    default: return "vsReport";
  }
}

int Scroll(const std::string& folder) {
  for (bool everyFile : {false, true}) {
    auto list = ViewerList(folder);
    if (everyFile) list->SetOnAddFolder({});
    list->SetRoot("/");
    list->SetRoot(folder);
    list->resize(800, 600);
    list->show();
    for (lum::TViewStyle style : {lum::vsList, lum::vsSmallIcon, lum::vsIcon, lum::vsReport}) {
      QElapsedTimer switching;
      switching.start();
      list->SetViewStyle(style);
      QApplication::processEvents();
      const double layout = Milliseconds(switching);
      int steps = 0;
      const double longest = LongestScrollStep(*list, steps);
      std::printf("scroll: %6d rows, %-11s: switch and layout %5.1f ms, %4d steps, longest step %5.1f ms\n",
                  list->RowCount(), StyleName(style), layout, steps, longest);
    }
  }
  return 0;
}

// F5 pressed and released in the list's current view.
void PressF5(TShellListView& list) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
  QApplication::sendEvent(list.CurrentView(), &press);
  QApplication::sendEvent(list.CurrentView(), &release);
}

int Rescan(const std::string& folder, int runs) {
  auto list = ViewerList("/");
  list->SetOnAddFolder({});
  list->SetRoot(folder);
  list->resize(800, 600);
  list->show();
  const int middle = list->RowCount() / 2;
  for (lum::TViewStyle style : {lum::vsList, lum::vsSmallIcon, lum::vsIcon, lum::vsReport}) {
    list->SetViewStyle(style);
    list->SelectRow(middle);
    list->CurrentView()->setFocus();
    QApplication::processEvents();
    std::vector<double> handled, painted;
    for (int run = 0; run < runs; ++run) {
      QElapsedTimer timer;
      timer.start();
      PressF5(*list);
      handled.push_back(Milliseconds(timer));
      QApplication::processEvents();
      painted.push_back(Milliseconds(timer));
    }
    std::sort(handled.begin(), handled.end());
    std::sort(painted.begin(), painted.end());
    std::printf("rescan: %6d rows, %-11s: F5 handled best %6.1f ms, median %6.1f ms; laid out and painted best "
                "%6.1f ms, median %6.1f ms\n",
                list->RowCount(), StyleName(style), handled[0], handled[handled.size() / 2], painted[0],
                painted[painted.size() / 2]);
    if (list->FirstSelectedRow() != middle) {
      std::fprintf(stderr, "the selection moved to row %d\n", list->FirstSelectedRow());
      return 1;
    }
  }
  return 0;
}

// Type-ahead for a text that no name begins with: every row's name is
// shown (as the list shows it) and compared, the longest search there is.
int Find(const std::string& folder, int runs) {
  auto list = ViewerList("/");
  list->SetOnAddFolder({});
  list->SetRoot(folder);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    const int row = list->FindRow(QStringLiteral("~none"), 0, true);
    times.push_back(Milliseconds(timer));
    if (row != -1) {
      std::fprintf(stderr, "found row %d\n", row);
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("find: %6d rows, no match: best %6.1f ms, median %6.1f ms\n", list->RowCount(), times[0],
              times[times.size() / 2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc < 3) {
    std::fputs("usage: list_bench make|list|qt|sort|scroll|rescan|find <folder> [count|runs|column]\n", stderr);
    return 2;
  }
  const std::string mode = argv[1];
  const std::string folder = std::filesystem::absolute(argv[2]).lexically_normal().string();
  if (mode == "make") return Make(folder, argc > 3 ? std::atoi(argv[3]) : 100000);
  QApplication application(argc, argv);
  try {
    lum::ShellCtrlsUnit unit;
    if (mode == "list") return List(folder, argc > 3 ? std::atoi(argv[3]) : 5);
    if (mode == "qt") return QtModel(folder);
    if (mode == "sort") return Sort(folder, argc > 3 ? std::atoi(argv[3]) : -1);
    if (mode == "scroll") return Scroll(folder);
    if (mode == "rescan") return Rescan(folder, argc > 3 ? std::atoi(argv[3]) : 5);
    if (mode == "find") return Find(folder, argc > 3 ? std::atoi(argv[3]) : 9);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 2;
}
