// The folder watcher under load: how soon a change reaches the callback on
// an idle machine, and what a burst of many files costs (memory, watches,
// whether the last change is followed by a callback). Prints its figures;
// asserts nothing.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "viewer/ShellCtrls/ShellChangeNotifier.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

long PeakRssKiB() {
  rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Watches held by all inotify instances of this process.
int InotifyWatches() {
  int watches = 0;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (fs::read_symlink(entry.path(), error).string() != "anon_inode:inotify") continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    for (std::string line; std::getline(info, line);) watches += line.rfind("inotify wd:", 0) == 0;
  }
  return watches;
}

void Touch(const std::string& path) { std::ofstream(path).put('x'); }

// Runs the event loop until `done` holds or `timeoutMs` passes.
bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  return true;
}

struct Recorder {
  std::vector<Clock::time_point> calls;
  lum::TThreadMethod Method(const std::string& folder) {
    return [this, folder] {
      calls.push_back(Clock::now());
      // What the file list does on a change: read the folder again.
      std::error_code error;
      size_t entries = 0;
      for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
           it.increment(error)) {
        ++entries;
      }
      lastEntries = entries;
    };
  }
  size_t lastEntries = 0;
};

void MeasureLatency(const std::string& folder, int changes) {
  Recorder recorder;
  lum::TShellChangeNotifier notifier;
  notifier.SetWatchSubTree(false);  // as the browser controls watch
  notifier.SetRoot(folder);
  notifier.SetOnChange(recorder.Method(folder));
  for (int probe = 0; recorder.calls.empty() && probe < 100; ++probe) {
    Touch(folder + "/probe" + std::to_string(probe));
    SpinUntil([&] { return !recorder.calls.empty(); }, 50);
  }
  SpinUntil([] { return false; }, 200);
  std::vector<double> latencies;
  int lost = 0;
  for (int i = 0; i < changes; ++i) {
    const size_t seen = recorder.calls.size();
    const Clock::time_point start = Clock::now();
    Touch(folder + "/latency" + std::to_string(i));
    if (!SpinUntil([&] { return recorder.calls.size() > seen; }, 5000)) {
      ++lost;
      continue;
    }
    latencies.push_back(Milliseconds(recorder.calls[seen] - start));
    SpinUntil([] { return false; }, 20);  // keep the changes apart
  }
  std::sort(latencies.begin(), latencies.end());
  const auto at = [&](double q) { return latencies[static_cast<size_t>(q * (latencies.size() - 1))]; };
  std::printf("latency: %d file creations, change -> callback on the window's thread (ms):\n", changes);
  if (latencies.empty()) {
    std::printf("  no callback at all\n");
    return;
  }
  std::printf("  min %.3f  median %.3f  p90 %.3f  max %.3f  (no callback: %d)\n", latencies.front(), at(0.5),
              at(0.9), latencies.back(), lost);
}

enum class Window { kResponsive, kBusy };

// Creates `files` files (and one sub-folder with a file per 100 of them),
// then deletes everything, on a helper thread. The window's thread handles
// callbacks meanwhile, or is busy until the burst is over (as when the
// viewer itself saves many files into the watched folder), which holds the
// worker in its hand-over while the system's event queue overflows.
void MeasureBurst(const std::string& folder, int files, bool watch, Window window = Window::kResponsive) {
  // The worker of an earlier notifier may still be closing its handle.
  SpinUntil([] { return InotifyWatches() == 0; }, 2000);
  Recorder recorder;
  lum::TShellChangeNotifier notifier;
  if (watch) {
    notifier.SetRoot(folder);  // with the sub-tree: folders come and go
    notifier.SetOnChange(recorder.Method(folder));
    for (int probe = 0; recorder.calls.empty() && probe < 100; ++probe) {
      Touch(folder + "/probe" + std::to_string(probe));
      SpinUntil([&] { return !recorder.calls.empty(); }, 50);
    }
    SpinUntil([] { return false; }, 200);
  }
  const int watchesIdle = InotifyWatches();
  const size_t callsBefore = recorder.calls.size();
  std::atomic<bool> finished{false};
  Clock::time_point lastChange;
  const Clock::time_point start = Clock::now();
  std::thread writer([&] {
    for (int i = 0; i < files; ++i) {
      Touch(folder + "/f" + std::to_string(i));
      if (i % 100 == 0) {
        const std::string sub = folder + "/d" + std::to_string(i);
        ::mkdir(sub.c_str(), 0700);
        Touch(sub + "/inner");
      }
    }
    for (int i = 0; i < files; ++i) {
      ::unlink((folder + "/f" + std::to_string(i)).c_str());
      if (i % 100 == 0) {
        const std::string sub = folder + "/d" + std::to_string(i);
        ::unlink((sub + "/inner").c_str());
        ::rmdir(sub.c_str());
      }
    }
    lastChange = Clock::now();
    finished = true;
  });
  if (window == Window::kBusy) {
    while (!finished) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  int peakWatches = watchesIdle;
  SpinUntil(
      [&] {
        peakWatches = std::max(peakWatches, InotifyWatches());
        return finished.load();
      },
      600000);
  writer.join();
  const Clock::time_point burstEnd = lastChange;
  bool followed = false;
  if (watch) {
    followed = SpinUntil([&] { return !recorder.calls.empty() && recorder.calls.back() > burstEnd; }, 10000);
    SpinUntil([] { return false; }, 300);
  }
  std::printf("burst of %d files (+%d folders) %s%s: %.0f ms\n", files, (files + 99) / 100,
              watch ? "in a watched folder (sub-tree)" : "without a watcher (floor)",
              window == Window::kBusy ? ", window's thread busy throughout" : "",
              Milliseconds(burstEnd - start));
  if (watch) {
    std::printf("  callbacks during and after it: %zu; one after the last change: %s",
                recorder.calls.size() - callsBefore, followed ? "yes" : "NO");
    if (followed) std::printf(" (%.1f ms after it)", Milliseconds(recorder.calls.back() - burstEnd));
    std::printf("; entries seen by the last callback: %zu\n", recorder.lastEntries);
    std::printf("  inotify watches: %d idle before it, at most %d during it, %d after it\n", watchesIdle,
                peakWatches, InotifyWatches());
  }
  std::printf("  peak RSS of the process so far: %ld KiB\n", PeakRssKiB());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  char pattern[] = "/tmp/lumwatch-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::string root = pattern;
  const auto folder = [&](const char* name) {
    const std::string path = root + "/" + name;
    ::mkdir(path.c_str(), 0700);
    return path;
  };
  std::printf("peak RSS at start: %ld KiB\n", PeakRssKiB());
  MeasureLatency(folder("latency"), 100);
  MeasureBurst(folder("floor"), 20000, false);
  MeasureBurst(folder("burst"), 20000, true);
  MeasureBurst(folder("busy"), 20000, true, Window::kBusy);
  MeasureBurst(folder("burst5x"), 100000, true);
  std::error_code error;
  fs::remove_all(root, error);
  return 0;
}
