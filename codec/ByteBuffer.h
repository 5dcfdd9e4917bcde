// A growable in-memory byte stream with a position.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace lum {

class FileSeam;

enum class SeekOrigin { Begin, Current, End };

namespace detail {

/// An allocator whose resize leaves new bytes as the allocator gave them, so
/// that the buffer decides where zeros are needed. A pass of zeros over a
/// large image that is then overwritten whole costs a write to every page
/// for nothing.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() noexcept = default;
  template <typename U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

}  // namespace detail

/// Setting the position never fails, wherever it lands; a read outside the
/// data yields no bytes, and a write before the start writes nothing.
class ByteBuffer {
 public:
  /// Size 0, position 0.
  void Clear();

  /// Replaces the contents with the whole file and sets the position to 0.
  /// Throws EFOpenError, EOutOfMemory or EInOutError; on failure the
  /// contents are unspecified but valid.
  void LoadFromFile(const std::string& path, FileSeam& files);

  /// Writes the whole contents to the file, created or replaced whole: a
  /// save that fails leaves the old file as it was. Throws EFCreateError
  /// ("Datei "%s" kann nicht erstellt werden. %s") when the file can't be
  /// created, EInOutError when writing or closing fails.
  void SaveToFile(const std::string& path, FileSeam& files) const;

  /// Copies up to `count` bytes from the position on and advances it by the
  /// number copied (0 outside the data).
  int64_t Read(void* destination, int64_t count);

  /// Writes `count` bytes at the position, growing the buffer as needed, and
  /// advances the position. Throws EOutOfMemory when it can't grow.
  int64_t Write(const void* source, int64_t count);

  /// Sets the position relative to the origin and returns it.
  int64_t Seek(int64_t offset, SeekOrigin origin);

  int64_t Position() const { return position_; }
  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }

  /// Resizes the data, keeping the position. New bytes are zero. Throws
  /// EOutOfMemory.
  void SetSize(int64_t size);

  /// SetSize for a caller that overwrites every new byte itself (a file read
  /// into the buffer, an image decoded into it): new bytes are unspecified.
  void SetSizeForOverwrite(int64_t size);

  const uint8_t* Data() const { return bytes_.data(); }
  uint8_t* Data() { return bytes_.data(); }

 private:
  std::vector<uint8_t, detail::UninitialisedAllocator<uint8_t>> bytes_;
  int64_t position_ = 0;
};

}  // namespace lum
