#include "base/Errors.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "base/Messages.h"

namespace lum {

namespace {

constexpr int kCodeAccessDenied = 5;
constexpr int kCodeDiskFull = 101;

// errno values that have a classic code of their own.
int ClassicCode(int systemError) {
  switch (systemError) {
    case ENOENT: return 2;
    case ENOTDIR: case ENAMETOOLONG: case EINVAL: case ELOOP: return 3;
    case EMFILE: case ENFILE: return 4;
    case EACCES: case EPERM: case EROFS: case EISDIR: return 5;
    case ENOSPC: case EFBIG: return kCodeDiskFull;
#ifdef EDQUOT
    case EDQUOT: return kCodeDiskFull;
#endif
    default: return 0;
  }
}

std::string ClassicMessage(int code) {
  switch (code) {
    case 2: return msg::kFileNotFound;
    case 3: return msg::kInvalidFileName;
    case 4: return msg::kTooManyOpenFiles;
    case 5: return msg::kAccessDenied;
    case kCodeDiskFull: return msg::kDiskFull;
    default: return {};
  }
}

// Other errno values keep their own number, so errno 5 (EIO) must not read as
// the classic code 5: the message is chosen from the errno, not the code.
std::string MessageForErrno(int systemError) {
  const int code = ClassicCode(systemError);
  if (code != 0) return ClassicMessage(code);
  return msg::Format(msg::kIoError, {std::to_string(systemError)});
}

}  // namespace

EOutOfMemory::EOutOfMemory() : LumError(msg::kOutOfMemory) {}
EIntOverflow::EIntOverflow() : LumError(msg::kIntOverflow) {}
EInvalidGraphic::EInvalidGraphic() : LumError(msg::kInvalidBitmap) {}

int IoErrorCodeFromErrno(int systemError) {
  const int code = ClassicCode(systemError);
  return code != 0 ? code : systemError;
}

EInOutError::EInOutError(int code, const std::string& message, std::string reason)
    : LumError(message), code_(code), reason_(std::move(reason)) {}

EInOutError::EInOutError(int systemError)
    : EInOutError(IoErrorCodeFromErrno(systemError), MessageForErrno(systemError), std::strerror(systemError)) {}

EInOutError EInOutError::ShortWrite() {
  return EInOutError(kCodeDiskFull, ClassicMessage(kCodeDiskFull), std::strerror(ENOSPC));
}

// Writing there is refused as access to anything but a file would be.
EInOutError EInOutError::NotARegularFile() {
  return EInOutError(kCodeAccessDenied, ClassicMessage(kCodeAccessDenied), msg::kNotARegularFile);
}

}  // namespace lum
