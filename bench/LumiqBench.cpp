// Lumiq's window at work on a folder of logos: showing the selected logo as
// the user asks for it, and saving every selected logo as a BMP file with
// the save button. The window is built as Lumiq's main builds it, shown,
// and its tree set on the folder.
//
//   lumiq_bench make <folder> [count]  count 50 x 30 KVX logos (1,000) of
//                                      varied pixels, some transparent
//   lumiq_bench show <folder> [runs]   ShowSelected as the user triggers it:
//                                      a click on another row (press and
//                                      release on the row, as the mouse
//                                      sends them), and a change of
//                                      "Transparantie kleur" (which shows
//                                      the selected logo again); each until
//                                      the handler returns and until the
//                                      previews are painted
//   lumiq_bench save <folder> [runs]   every row selected, SaveBtn clicked:
//                                      into a folder without the BMP files
//                                      (removed, untimed, before the run),
//                                      and replacing those of the run before
//   lumiq_bench busy <folder> [seconds] the window on the folder while another
//                                      process creates and deletes one file
//                                      there 20 times a second (10 s): the
//                                      processor time of the window's process
//                                      as a share of one core, the re-scans,
//                                      and how long a key in the list (Down
//                                      or Up, 5 a second) waits until it and
//                                      its key-up handler have run
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <memory>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/ExceptionGuard.h"
#include "platform/controls/Image.h"
#include "platform/controls/RadioGroup.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellFolder.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/ShellCtrls/ShellUnit.h"
#include "viewer/Unit1.h"

namespace {

namespace fs = std::filesystem;

double Milliseconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Best and median of a series of times.
struct Series {
  std::vector<double> times;
  void Add(double ms) { times.push_back(ms); }
  void Print(const char* what) {
    std::sort(times.begin(), times.end());
    std::printf("%s: best %.3f ms, median %.3f ms, worst %.3f ms of %zu\n", what, times.front(),
                times[times.size() / 2], times.back(), times.size());
  }
};

// The event loop for `ms` milliseconds: what the window has pending (a
// paint, the folder watcher's re-scan) is done before the next timing.
void Settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (timer.elapsed() < ms);
}

int Make(const std::string& folder, int count) {
  fs::create_directories(folder);
  uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  std::vector<uint8_t> logo(8 + 50 * 30 * 2);
  const uint8_t header[8] = {0, 0, 0, 50, 0, 0, 0, 30};
  std::memcpy(logo.data(), header, sizeof header);
  for (int i = 0; i < count; ++i) {
    for (size_t at = 8; at < logo.size(); at += 2) {
      const uint32_t word = next() >> 16;
      logo[at] = static_cast<uint8_t>(word >> 8);
      logo[at + 1] = static_cast<uint8_t>(word);
    }
    char name[32];
    std::snprintf(name, sizeof name, "/logo%06d.kvx", i);
    const std::string path = folder + name;
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return 1;
    const bool written = ::write(file, logo.data(), logo.size()) == static_cast<ssize_t>(logo.size());
    ::close(file);
    if (!written) return 1;
  }
  return 0;
}

// Lumiq's main, up to the window on the screen with the tree on `folder`.
class Window {
 public:
  Window(int& argc, char** argv, const std::string& folder) : application_(argc, argv) {
    lum::controls::SetParamStrings({});
    lum::SetControlExceptionHandler(
        [](const std::exception& failure) { lum::controls::HandleException(failure.what()); });
    form_ = &application_.CreateForm<lum::TForm1>();
    form_->show();
    Settle(100);
    form_->ShellTreeView1->SelectPath(folder);
    Settle(100);
  }
  lum::TForm1& Form() { return *form_; }

 private:
  lum::controls::TApplication application_;
  lum::ShellCtrlsUnit shell_;
  lum::TForm1* form_ = nullptr;
};

// A press and a release of the left button on `row`, as the mouse sends
// them: the press selects the row, the release is the list's click.
void ClickRow(lum::TShellListView& list, int row) {
  QAbstractItemView* view = list.CurrentView();
  view->scrollTo(view->model()->index(row, 0));
  QWidget* viewport = view->viewport();
  const QPointF at = view->visualRect(view->model()->index(row, 0)).center();
  const QPointF global = viewport->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &press);
  QApplication::sendEvent(viewport, &release);
}

int Show(int argc, char** argv, const std::string& folder, int runs) {
  Window window(argc, argv, folder);
  lum::TForm1& form = window.Form();
  lum::TShellListView& list = *form.ShellListView1;
  const int rows = list.RowCount();
  if (rows < 2) {
    std::fprintf(stderr, "the list shows %d rows of %s\n", rows, folder.c_str());
    return 1;
  }
  std::printf("list: %d rows; the window %d x %d\n", rows, form.width(), form.height());

  Series click, clickPainted, colour, colourPainted;
  for (int run = 0; run < runs; ++run) {
    // Rows spread over the list, each a different one from the last.
    const int row = static_cast<int>((static_cast<int64_t>(run) * 7919) % rows);
    if (row == list.FirstSelectedRow()) continue;
    const QImage before = form.Image1->Picture();
    QElapsedTimer timer;
    timer.start();
    ClickRow(list, row);
    click.Add(Milliseconds(timer));
    QApplication::processEvents();
    clickPainted.Add(Milliseconds(timer));
    if (list.FirstSelectedRow() != row || form.Image1->Picture() == before) {
      std::fprintf(stderr, "the click on row %d selected row %d and did not show it\n", row, list.FirstSelectedRow());
      return 1;
    }
    Settle(5);

    timer.restart();
    form.rgTransparency->SetItemIndex(run % 2 == 0 ? 1 : 0);
    colour.Add(Milliseconds(timer));
    QApplication::processEvents();
    colourPainted.Add(Milliseconds(timer));
    Settle(5);
  }
  click.Print("click on a row, until the handler returns");
  clickPainted.Print("click on a row, until the previews are painted");
  colour.Print("transparency colour changed, until the handler returns");
  colourPainted.Print("transparency colour changed, until the previews are painted");
  return 0;
}

void SelectAll(lum::TShellListView& list) {
  for (int row = 0; row < list.RowCount(); ++row) list.SelectRow(row);
}

int CountBitmaps(const std::string& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".bmp") ++count;
  return count;
}

int Save(int argc, char** argv, const std::string& folder, int runs) {
  Window window(argc, argv, folder);
  lum::TForm1& form = window.Form();
  lum::TShellListView& list = *form.ShellListView1;
  std::printf("list: %d rows\n", list.RowCount());

  Series fresh, replacing;
  for (int run = 0; run < runs; ++run) {
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".bmp") fs::remove(entry.path());
    Settle(300);  // the watcher's re-scan of the removals
    for (Series* series : {&fresh, &replacing}) {
      SelectAll(list);
      QElapsedTimer timer;
      timer.start();
      form.SaveBtn->click();
      series->Add(Milliseconds(timer));
      const int saved = CountBitmaps(folder);
      if (saved != list.RowCount()) {
        std::fprintf(stderr, "%d BMP files for %d rows\n", saved, list.RowCount());
        return 1;
      }
      Settle(300);  // the watcher's re-scan of the new files
    }
  }
  fresh.Print("save of every row, no BMP file there before");
  replacing.Print("save of every row, replacing the BMP files");
  return 0;
}

// The processor time of the whole process (every thread), in ms.
double ProcessCpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Another process that creates `name` and deletes it again, 20 times a
// second, until it is killed. Only system calls run after the fork.
pid_t StartChurn(const std::string& path) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  const timespec quarter{0, 25 * 1000 * 1000};
  for (;;) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (file >= 0) ::close(file);
    ::nanosleep(&quarter, nullptr);
    ::unlink(path.c_str());
    ::nanosleep(&quarter, nullptr);
  }
}

// Posted after a key's events, and so delivered once they have been
// handled; it carries the time the key was posted.
class KeyMarker : public QEvent {
 public:
  explicit KeyMarker(std::chrono::steady_clock::time_point posted) : QEvent(QEvent::User), posted_(posted) {}
  std::chrono::steady_clock::time_point Posted() const { return posted_; }

 private:
  std::chrono::steady_clock::time_point posted_;
};

class MarkerReceiver : public QObject {
 public:
  Series answered;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    const auto waited = std::chrono::steady_clock::now() - static_cast<KeyMarker*>(event)->Posted();
    answered.Add(std::chrono::duration<double, std::milli>(waited).count());
    return true;
  }
};

int Busy(int argc, char** argv, const std::string& folder, int seconds) {
  Window window(argc, argv, folder);
  lum::TForm1& form = window.Form();
  lum::TShellListView& list = *form.ShellListView1;
  // Selected as the user selects it, so that the tree watches it too (a
  // folder selected by its path is not watched by the tree).
  lum::TShellTreeView& tree = *form.ShellTreeView1;
  if (lum::TShellTreeNode* node = tree.Selected(); node && node->Parent()) {
    tree.Select(node->Parent());
    tree.Select(node);
  }
  const int rows = list.RowCount();
  if (rows < 2) {
    std::fprintf(stderr, "the list shows %d rows of %s\n", rows, folder.c_str());
    return 1;
  }
  list.SelectRow(0);
  list.SelectionModel()->setCurrentIndex(list.Model()->index(0, 0), QItemSelectionModel::NoUpdate);
  list.CurrentView()->setFocus();
  Settle(500);
  int rescans = 0;
  // A fill ends with the rows in place; the resets before it leave none.
  QObject::connect(list.Model(), &QAbstractItemModel::modelReset, [&] {
    if (list.RowCount() > 0) ++rescans;
  });

  // Sorted after the logos, so that the rows the keys move between stay.
  const pid_t churn = StartChurn(folder + "/zz-busy.kvx");
  // The keys come from a thread of their own, as the user's do: a window's
  // thread that is busy cannot hold them back.
  MarkerReceiver receiver;
  QWidget* view = list.CurrentView();
  // The first key event makes the application's keyboard device, which must
  // happen on the window's thread.
  { QKeyEvent first(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier); }
  std::atomic<bool> typing{true};
  int keys = 0;
  std::unique_ptr<QThread> typist(QThread::create([&] {
    while (typing) {
      QThread::msleep(200);
      const Qt::Key key = keys++ % 2 == 0 ? Qt::Key_Down : Qt::Key_Up;
      const auto posted = std::chrono::steady_clock::now();
      QCoreApplication::postEvent(view, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
      QCoreApplication::postEvent(view, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
      QCoreApplication::postEvent(&receiver, new KeyMarker(posted));
    }
  }));
  typist->start();
  const double cpuBefore = ProcessCpuMilliseconds();
  QElapsedTimer wall;
  wall.start();
  // The event loop itself, idle as the window's is, not Settle's polling.
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  const double cpu = ProcessCpuMilliseconds() - cpuBefore;
  const double elapsed = Milliseconds(wall);
  typing = false;
  typist->wait();
  ::kill(churn, SIGKILL);
  ::waitpid(churn, nullptr, 0);
  Settle(2000);  // the keys still on their way
  std::printf("busy: %d rows, %d s; processor %.0f ms = %.1f %% of one core (the churning process not counted); "
              "%d re-scans\n",
              rows, seconds, cpu, 100.0 * cpu / elapsed, rescans);
  std::printf("busy: %d keys typed, %zu answered\n", keys, receiver.answered.times.size());
  receiver.answered.Print("busy: a key in the list, until it and its key-up handler have run");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc >= 3 ? argv[1] : "";
  const std::string folder = argc >= 3 ? fs::absolute(argv[2]).lexically_normal().string() : "";
  const int number = argc >= 4 ? std::atoi(argv[3]) : 0;
  if (mode == "make") return Make(folder, number > 0 ? number : 1000);
  if (mode == "show") return Show(argc, argv, folder, number > 0 ? number : 200);
  if (mode == "save") return Save(argc, argv, folder, number > 0 ? number : 5);
  if (mode == "busy") return Busy(argc, argv, folder, number > 0 ? number : 10);
  std::fprintf(stderr, "usage: lumiq_bench make|show|save|busy <folder> [count, runs or seconds]\n");
  return 2;
}
