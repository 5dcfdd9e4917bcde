#include "tests/TestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lum::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/lumtest-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  // Give every folder its permissions back so that the tests which make one
  // read-only still leave nothing behind.
  for (auto it = fs::recursive_directory_iterator(path_, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) ::chmod(it->path().c_str(), 0700);
  }
  ::chmod(path_.c_str(), 0700);
  fs::remove_all(path_, error);
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& path) : previous_(fs::current_path().native()) {
  fs::current_path(path);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code error;
  fs::current_path(previous_, error);
}

ScopedFileSizeLimit::ScopedFileSizeLimit(uint64_t bytes) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("getrlimit failed");
  previous_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
  previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, previousHandler_);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

// The rest of `in` in one read: byte by byte, ten thousand files take
// minutes in a sanitized build.
std::string ReadAll(std::ifstream& in) {
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  const std::string bytes = ReadAll(in);
  return Bytes(bytes.begin(), bytes.end());
}

bool FileExists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

constexpr off_t kLargestFileSnapshotWhole = 16 << 20;

FolderSnapshot SnapshotFolder(const std::string& path) {
  FolderSnapshot snapshot;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(path, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    struct stat status {};
    if (::lstat(it->path().c_str(), &status) != 0) continue;
    std::string description = std::to_string(status.st_mode) + ":";
    if (S_ISREG(status.st_mode) && status.st_size > kLargestFileSnapshotWhole) {
      // Sparse giants are not read: two copies of 2 GiB outgrow a small machine.
      description += "large, " + std::to_string(status.st_size) + " bytes, modified " +
                     std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec);
    } else if (S_ISREG(status.st_mode)) {
      std::ifstream in(it->path(), std::ios::binary);
      description += in ? ReadAll(in) : "unreadable, " + std::to_string(status.st_size) + " bytes";
    } else if (S_ISLNK(status.st_mode)) {
      description += fs::read_symlink(it->path(), error).native();
    }
    snapshot[it->path().lexically_relative(path).native()] = description;  // symlinks not followed
  }
  return snapshot;
}

Bytes LogoBytes(int32_t width, int32_t height, const std::vector<uint16_t>& words) {
  Bytes bytes;
  for (const int32_t field : {width, height}) {
    const auto v = static_cast<uint32_t>(field);
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
  }
  for (const uint16_t word : words) {
    bytes.push_back(static_cast<uint8_t>(word >> 8));
    bytes.push_back(static_cast<uint8_t>(word));
  }
  return bytes;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, RunOptions options) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    if (options.withStandardError) ::dup2(pipeFds[1], STDERR_FILENO);
    if (options.unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(125);
    }
    if (options.addressSpaceLimit != 0) {
      const rlimit limit{options.addressSpaceLimit, options.addressSpaceLimit};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(124);
    }
    if (::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);

  ProgramResult result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  char chunk[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      ::kill(child, SIGKILL);
      break;
    }
    pollfd readable{pipeFds[0], POLLIN, 0};
    if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0) continue;
    const ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
    if (n <= 0) break;
    result.output.append(chunk, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!result.timedOut && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  return result;
}

std::vector<std::string> Lines(const std::string& output) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    lines.push_back(output.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace lum::test
