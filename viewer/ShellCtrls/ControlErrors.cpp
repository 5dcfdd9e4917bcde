#include "viewer/ShellCtrls/ControlErrors.h"

#include <cstdio>
#include <utility>

namespace lum {

namespace {

void WriteToStandardError(const std::exception& failure) {
  std::fputs(failure.what(), stderr);
  std::fputc('\n', stderr);
}

ControlExceptionHandler& Handler() {
  static ControlExceptionHandler handler = WriteToStandardError;
  return handler;
}

}  // namespace

ControlExceptionHandler SetControlExceptionHandler(ControlExceptionHandler handler) {
  ControlExceptionHandler previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : ControlExceptionHandler(WriteToStandardError);
  return previous;
}

void ReportControlException(const std::exception& failure) noexcept {
  try {
    Handler()(failure);
  } catch (...) {
    WriteToStandardError(failure);
  }
}

}  // namespace lum
