#include "codec/Errors.h"

#include <cerrno>

#include "codec/Messages.h"

namespace lum {

namespace {

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

EInOutError::EInOutError(int code, int systemError, const std::string& message)
    : LumError(message), code_(code), systemError_(systemError) {}

EInOutError::EInOutError(int systemError)
    : EInOutError(IoErrorCodeFromErrno(systemError), systemError, MessageForErrno(systemError)) {}

EInOutError EInOutError::ShortWrite() { return EInOutError(kCodeDiskFull, 0, ClassicMessage(kCodeDiskFull)); }

}  // namespace lum
