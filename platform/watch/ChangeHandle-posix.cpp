#include "platform/watch/ChangeHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <unordered_set>

namespace lum::platform {

namespace {

constexpr uint32_t kKnownFilters =
    kChangeFileName | kChangeDirName | kChangeAttributes | kChangeSize | kChangeLastWrite | kChangeSecurity;
constexpr uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr size_t kEventBufferSize = 64 * 1024;
// Reads per ReadEvents call: a steady stream of events must not keep the
// worker from looking at its wake signal.
constexpr int kMaxReadsPerCall = 16;

uint32_t InotifyMask(uint32_t filter, bool watchSubTree) {
  uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF;
  // Name events are needed below the top to follow new and moved folders,
  // whatever the filter says.
  if ((filter & (kChangeFileName | kChangeDirName)) || watchSubTree) mask |= kNameEvents;
  if (filter & (kChangeAttributes | kChangeSecurity)) mask |= IN_ATTRIB;
  if (filter & (kChangeSize | kChangeLastWrite)) mask |= IN_MODIFY;
  if (filter & kChangeLastWrite) mask |= IN_CLOSE_WRITE;
  return mask;
}

bool MatchesFilter(uint32_t filter, uint32_t mask) {
  if (mask & kNameEvents) return filter & ((mask & IN_ISDIR) ? kChangeDirName : kChangeFileName);
  if (mask & IN_ATTRIB) return filter & (kChangeAttributes | kChangeSecurity);
  if (mask & IN_MODIFY) return filter & (kChangeSize | kChangeLastWrite);
  if (mask & IN_CLOSE_WRITE) return filter & kChangeLastWrite;
  return false;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool IsFolderEntry(DIR* dir, const dirent& entry) {
  if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
  struct stat status {};
  return ::fstatat(::dirfd(dir), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

std::atomic<int> noticesInFlight{0};

// A ReadEvents call counts from before its first read, so that no change is
// ever out of the kernel's queue and not yet counted.
struct ReadingInFlight {
  ReadingInFlight() { ++noticesInFlight; }
  ~ReadingInFlight() { --noticesInFlight; }
  ReadingInFlight(const ReadingInFlight&) = delete;
  ReadingInFlight& operator=(const ReadingInFlight&) = delete;
};

}  // namespace

int ChangeHandle::NoticesInFlight() { return noticesInFlight; }

std::unique_ptr<ChangeHandle> ChangeHandle::Open(const std::string& directory, bool watchSubTree, uint32_t filter,
                                                 size_t maxWatches) {
  filter &= kKnownFilters;
  // A relative name would be taken against the current directory: it is the
  // parsing name of a virtual folder, not a folder of the file system.
  if (filter == 0 || directory.empty() || directory[0] != '/') return nullptr;
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return nullptr;
  auto handle = std::make_unique<ChangeHandle>(Key{}, fd, watchSubTree, filter, std::max<size_t>(maxWatches, 1));
  if (!handle->WatchTop(directory)) return nullptr;
  return handle;
}

ChangeHandle::ChangeHandle(Key, int descriptor, bool watchSubTree, uint32_t filter, size_t maxWatches)
    : fd_(descriptor),
      watchSubTree_(watchSubTree),
      filter_(filter),
      mask_(InotifyMask(filter, watchSubTree)),
      maxWatches_(maxWatches),
      buffer_(kEventBufferSize) {}

ChangeHandle::~ChangeHandle() {
  ::close(fd_);  // drops every watch with it
  if (signalled_) --noticesInFlight;
}

void ChangeHandle::Signal() {
  if (!signalled_) ++noticesInFlight;
  signalled_ = true;
}

void ChangeHandle::FindNext() {
  if (signalled_) --noticesInFlight;
  signalled_ = false;
}

bool ChangeHandle::WatchTop(const std::string& directory) {
  // The top folder may be reached through a symbolic link; folders below it
  // are never followed through one, which keeps link loops out of the tree.
  const int wd = ::inotify_add_watch(fd_, directory.c_str(), mask_ | IN_ONLYDIR);
  if (wd < 0) return false;
  topWd_ = wd;
  paths_.emplace(wd, directory);
  if (watchSubTree_) WatchBelow(directory, wd, false);
  return true;
}

ChangeHandle::AddResult ChangeHandle::AddSubWatch(const std::string& path, int* wd) {
  if (topOnly_) return AddResult::kSkipped;
  *wd = ::inotify_add_watch(fd_, path.c_str(), mask_ | IN_ONLYDIR | IN_DONT_FOLLOW);
  if (*wd < 0) return errno == ENOSPC ? AddResult::kFull : AddResult::kSkipped;  // vanished, unreadable, ...
  if (paths_.count(*wd)) return AddResult::kKnown;  // the same folder again (a bind mount)
  if (paths_.size() >= maxWatches_) {
    ::inotify_rm_watch(fd_, *wd);
    return AddResult::kFull;
  }
  paths_.emplace(*wd, path);
  return AddResult::kAdded;
}

// Watches every folder below `start` (itself watched as `startWd`), nearest
// first. With `entriesAreNew` the entries found count as changes: they were
// made in a new folder before its watch existed.
void ChangeHandle::WatchBelow(const std::string& start, int startWd, bool entriesAreNew) {
  std::unordered_set<int> visited{startWd};
  std::deque<std::string> pending{start};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.front());
    pending.pop_front();
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) continue;
    while (const dirent* entry = ::readdir(dir.get())) {
      if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
      const bool isFolder = IsFolderEntry(dir.get(), *entry);
      if (entriesAreNew && MatchesFilter(filter_, IN_CREATE | (isFolder ? IN_ISDIR : 0))) Signal();
      if (!isFolder) continue;
      const std::string path = Join(folder, entry->d_name);
      int wd = -1;
      switch (AddSubWatch(path, &wd)) {
        case AddResult::kFull:
          FallBackToTop();
          return;
        case AddResult::kSkipped:
          break;
        case AddResult::kAdded:
        case AddResult::kKnown:
          if (visited.insert(wd).second) pending.push_back(path);
          break;
      }
    }
  }
}

void ChangeHandle::WatchNewFolder(const std::string& path, bool entriesAreNew) {
  int wd = -1;
  switch (AddSubWatch(path, &wd)) {
    case AddResult::kFull:
      FallBackToTop();
      break;
    case AddResult::kAdded:
      WatchBelow(path, wd, entriesAreNew);
      break;
    case AddResult::kKnown:
    case AddResult::kSkipped:
      break;
  }
}

// A folder moved out of the tree keeps its watches (they follow the folder),
// so they are given up here; otherwise its later changes would still signal.
void ChangeHandle::ForgetTree(const std::string& path) {
  const std::string prefix = path + "/";
  for (auto it = paths_.begin(); it != paths_.end();) {
    const std::string& watched = it->second;
    if (it->first != topWd_ && (watched == path || watched.compare(0, prefix.size(), prefix) == 0)) {
      ::inotify_rm_watch(fd_, it->first);
      it = paths_.erase(it);
    } else {
      ++it;
    }
  }
}

void ChangeHandle::FallBackToTop() {
  for (auto it = paths_.begin(); it != paths_.end();) {
    if (it->first == topWd_) {
      ++it;
      continue;
    }
    ::inotify_rm_watch(fd_, it->first);
    it = paths_.erase(it);
  }
  topOnly_ = true;
}

bool ChangeHandle::ReadEvents() {
  const ReadingInFlight reading;
  for (int round = 0; round < kMaxReadsPerCall; ++round) {
    const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN;
    }
    if (count == 0) return false;
    const size_t length = static_cast<size_t>(count);
    for (size_t offset = 0; offset + sizeof(inotify_event) <= length;) {
      inotify_event event {};
      std::memcpy(&event, buffer_.data() + offset, sizeof event);
      const char* name = buffer_.data() + offset + sizeof event;
      const size_t nameLength = std::min<size_t>(event.len, length - offset - sizeof event);
      Handle(event.mask, event.wd, name, ::strnlen(name, nameLength));
      offset += sizeof event + event.len;
    }
  }
  return true;
}

void ChangeHandle::Handle(uint32_t mask, int wd, const char* name, size_t nameLength) {
  if (mask & IN_Q_OVERFLOW) {
    Signal();
    // Folders made while events were lost have no watch yet.
    const auto top = paths_.find(topWd_);
    if (watchSubTree_ && !topOnly_ && top != paths_.end()) WatchBelow(std::string(top->second), topWd_, false);
    return;
  }
  const auto it = paths_.find(wd);
  if (it == paths_.end()) return;  // a watch given up already
  if (mask & IN_IGNORED) {
    if (wd == topWd_) Signal();
    paths_.erase(it);
    return;
  }
  if (mask & IN_UNMOUNT) {
    Signal();
    return;
  }
  if (mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
    // Below the top, the parent's name event tells the same.
    if (wd == topWd_) Signal();
    return;
  }
  if (MatchesFilter(filter_, mask)) Signal();
  if (!watchSubTree_ || topOnly_ || !(mask & IN_ISDIR) || nameLength == 0) return;
  const std::string path = Join(it->second, std::string(name, nameLength));
  if (mask & (IN_CREATE | IN_MOVED_TO)) {
    WatchNewFolder(path, (mask & IN_CREATE) != 0);
  } else if (mask & IN_MOVED_FROM) {
    ForgetTree(path);
  }
}

}  // namespace lum::platform
