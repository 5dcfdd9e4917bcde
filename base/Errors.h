// The failures of the codec and the file services. Each carries the message
// text that the console converter prints and the viewer shows; the programs
// catch them by the base class.
#pragma once

#include <stdexcept>
#include <string>

namespace lum {

class LumError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A file could not be opened for reading (or is no regular file).
class EFOpenError : public LumError {
 public:
  using LumError::LumError;
};

/// A byte buffer could not be saved because its file could not be created.
class EFCreateError : public LumError {
 public:
  using LumError::LumError;
};

/// A byte buffer could not grow.
class EOutOfMemory : public LumError {
 public:
  EOutOfMemory();
};

/// The console decoder's checked arithmetic on the header left 32 bits.
class EIntOverflow : public LumError {
 public:
  EIntOverflow();
};

/// A logo file too short for its header or for the pixels it announces.
class EInvalidLogo : public LumError {
 public:
  using LumError::LumError;
};

/// A file that the bitmap loader cannot read as a bitmap.
class EInvalidGraphic : public LumError {
 public:
  EInvalidGraphic();
};

/// Creating, writing or closing an output file failed. `Code()` is the
/// classic I/O error code (2, 3, 4, 5, 101, or the system's own number),
/// `Reason()` the system's text for what happened.
class EInOutError : public LumError {
 public:
  explicit EInOutError(int systemError);
  /// A write that the system carried out only in part.
  static EInOutError ShortWrite();
  /// An output name that is a FIFO, socket or block device: never written.
  static EInOutError NotARegularFile();

  int Code() const { return code_; }
  const std::string& Reason() const { return reason_; }

 private:
  EInOutError(int code, const std::string& message, std::string reason);
  int code_;
  std::string reason_;
};

/// The classic I/O error code for an errno value: 2, 3, 4, 5 or 101 for the
/// errors that have one, the errno value itself for all others.
int IoErrorCodeFromErrno(int systemError);

}  // namespace lum
