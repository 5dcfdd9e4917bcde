#include "tests/WatchTestSupport.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace lum::test {

namespace fs = std::filesystem;

void Touch(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  ::close(fd);
}

void CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0) throw std::runtime_error("cannot make folder " + path);
}

void Rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) throw std::runtime_error("cannot rename " + from);
}

void Remove(const std::string& path) {
  if (std::remove(path.c_str()) != 0) throw std::runtime_error("cannot remove " + path);
}

namespace {

// The descriptors of this process's inotify instances.
std::vector<int> InotifyDescriptors() {
  std::vector<int> descriptors;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
    std::error_code linkError;
    if (fs::read_symlink(entry.path(), linkError).string() == "anon_inode:inotify")
      descriptors.push_back(std::stoi(entry.path().filename().string()));
  }
  return descriptors;
}

}  // namespace

int InotifyInstanceCount() { return static_cast<int>(InotifyDescriptors().size()); }

int InotifyBytesPending() {
  int total = 0;
  for (int descriptor : InotifyDescriptors()) {
    int bytes = 0;
    // One closed meanwhile by its watcher holds nothing any more.
    if (::ioctl(descriptor, FIONREAD, &bytes) == 0) total += bytes;
  }
  return total;
}

int InotifyWatchCount(int descriptor) {
  std::ifstream info("/proc/self/fdinfo/" + std::to_string(descriptor));
  int count = 0;
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("inotify wd:", 0) == 0) ++count;
  }
  return count;
}

}  // namespace lum::test
