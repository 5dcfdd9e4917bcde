#include "codec/ByteBuffer.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/FileSeam.h"

namespace lum {

namespace {

// No process can hold more than the 128 TiB of a 64-bit user address space;
// larger sizes are refused before the allocator is asked at all.
constexpr uint64_t kMaxSize = uint64_t{1} << 47;

bool TooLarge(int64_t size) { return static_cast<uint64_t>(size) > kMaxSize; }

// Runs a step that may allocate, turning the library's allocation failures
// into the buffer's own.
template <typename Step>
void Growing(Step step) {
  try {
    step();
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  } catch (const std::length_error&) {
    throw EOutOfMemory();
  }
}

}  // namespace

void ByteBuffer::Clear() {
  bytes_.clear();
  position_ = 0;
}

void ByteBuffer::SetSize(int64_t size) {
  const int64_t kept = Size();
  SetSizeForOverwrite(size);
  if (Size() > kept) std::memset(bytes_.data() + kept, 0, static_cast<size_t>(Size() - kept));
}

void ByteBuffer::SetSizeForOverwrite(int64_t size) {
  if (size < 0) size = 0;
  if (TooLarge(size)) throw EOutOfMemory();
  Growing([&] { bytes_.resize(static_cast<size_t>(size)); });
}

void ByteBuffer::LoadFromFile(const std::string& path, FileSeam& files) {
  files.ReadWholeFile(path, *this);
  position_ = 0;
}

void ByteBuffer::SaveToFile(const std::string& path, FileSeam& files) const {
  std::unique_ptr<OutputWriter> file;
  try {
    file = files.CreateReplacement(path);
  } catch (const EInOutError& error) {
    throw EFCreateError(msg::Format(msg::kFileCreate, {files.FullPath(path), error.Reason()}));
  }
  file->Write(bytes_.data(), bytes_.size());
  file->Close();
}

int64_t ByteBuffer::Read(void* destination, int64_t count) {
  if (count <= 0 || position_ < 0 || position_ >= Size()) return 0;
  const int64_t available = Size() - position_;
  const int64_t n = count < available ? count : available;
  std::memcpy(destination, bytes_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t ByteBuffer::Write(const void* source, int64_t count) {
  if (count <= 0 || position_ < 0) return 0;
  if (count > std::numeric_limits<int64_t>::max() - position_) throw EOutOfMemory();
  const int64_t end = position_ + count;
  if (end > Size()) {
    if (TooLarge(end)) throw EOutOfMemory();
    const int64_t kept = Size();
    Growing([&] {
      // Grow geometrically so that word-by-word appends stay linear.
      if (static_cast<size_t>(end) > bytes_.capacity()) {
        const size_t doubled = bytes_.capacity() * 2;
        bytes_.reserve(doubled > static_cast<size_t>(end) && doubled <= kMaxSize
                           ? doubled
                           : static_cast<size_t>(end));
      }
      bytes_.resize(static_cast<size_t>(end));
    });
    // A gap between the old end and the position reads as zeros.
    if (position_ > kept) std::memset(bytes_.data() + kept, 0, static_cast<size_t>(position_ - kept));
  }
  std::memcpy(bytes_.data() + position_, source, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t ByteBuffer::Seek(int64_t offset, SeekOrigin origin) {
  const int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : Size();
  // Saturate instead of overflowing: any position is allowed, and one this
  // far out reads nothing either way.
  if (offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) {
    position_ = std::numeric_limits<int64_t>::max();
  } else if (offset < 0 && base < std::numeric_limits<int64_t>::min() - offset) {
    position_ = std::numeric_limits<int64_t>::min();
  } else {
    position_ = base + offset;
  }
  return position_;
}

}  // namespace lum
