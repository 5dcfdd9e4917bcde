// The failures of the shell item model.
#pragma once

#include "base/Errors.h"
#include "platform/shell/ShellTypes.h"

namespace lum {

/// A path or folder that the shell cannot resolve or read.
class EInvalidPath : public LumError {
 public:
  using LumError::LumError;
};

/// An index outside a list, such as a row that does not exist.
class EListError : public LumError {
 public:
  using LumError::LumError;
};

/// A shell call that failed where its result is needed.
class EOleSysError : public LumError {
 public:
  explicit EOleSysError(shell::HRESULT code);
  shell::HRESULT ErrorCode() const { return code_; }

 private:
  shell::HRESULT code_;
};

/// Raises EOleSysError for a failure code.
void OleCheck(shell::HRESULT result);

/// A number in upper-case hexadecimal digits ("1F"), as the messages show codes.
std::string HexText(uint32_t value, int minimumDigits = 1);

}  // namespace lum
