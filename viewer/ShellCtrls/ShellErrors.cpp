#include "viewer/ShellCtrls/ShellErrors.h"

#include <cstdio>
#include <cstring>

#include "base/Messages.h"
#include "viewer/ShellCtrls/ShellMessages.h"

namespace lum {

namespace {

std::string OleErrorText(shell::HRESULT code) {
  if (const int systemError = shell::ErrnoFromHResult(code)) return std::strerror(systemError);
  return msg::Format(shellmsg::kOleError, {HexText(static_cast<uint32_t>(code), 8)});
}

}  // namespace

std::string HexText(uint32_t value, int minimumDigits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", minimumDigits, value);
  return text;
}

EOleSysError::EOleSysError(shell::HRESULT code) : LumError(OleErrorText(code)), code_(code) {}

void OleCheck(shell::HRESULT result) {
  if (shell::Failed(result)) throw EOleSysError(result);
}

}  // namespace lum
