#include "platform/files/HostFiles.h"

#include <limits>

#include "codec/ByteBuffer.h"
#include "platform/files/InputFile.h"
#include "platform/files/LogoFileRead.h"
#include "platform/files/OutputFile.h"
#include "platform/files/Paths.h"
#include "platform/files/ReplacementFile.h"

namespace lum::platform {

namespace {

class Host final : public FileSeam {
 public:
  explicit Host(CharacterDevices devices) : devices_(devices) {}

  void ReadWholeFile(const std::string& path, ByteBuffer& into) override {
    platform::ReadWholeFile(path, into, UINT64_MAX);
  }

  // Any number of pixels: the console decoder has its own checks.
  int64_t ReadLogoBytes(const std::string& path, ByteBuffer& into) override {
    return ReadLogoFile(path, into, std::numeric_limits<int64_t>::max());
  }

  std::unique_ptr<OutputWriter> CreateOutput(const std::string& path) override {
    return CreateOutputFile(path);
  }

  std::unique_ptr<OutputWriter> CreateReplacement(const std::string& path) override {
    return CreateReplacementFile(path, devices_);
  }

  std::string FullPath(const std::string& path) override { return AbsolutePath(path); }

 private:
  CharacterDevices devices_;
};

}  // namespace

FileSeam& HostFiles() {
  static Host host(CharacterDevices::kWritten);
  return host;
}

FileSeam& HostRegularFiles() {
  static Host host(CharacterDevices::kRefused);
  return host;
}

uint64_t ReadWholeFile(const std::string& path, ByteBuffer& into, uint64_t limit) {
  InputFile file(path);
  into.Clear();
  if (file.Size() > limit) return file.Size();
  into.SetSizeForOverwrite(static_cast<int64_t>(file.Size()));  // every byte read is kept, the rest cut below
  // A file that shrank since it was opened gives what it still holds.
  const size_t got = file.Read(into.Data(), static_cast<size_t>(into.Size()));
  into.SetSize(static_cast<int64_t>(got));
  return file.Size();
}

}  // namespace lum::platform
