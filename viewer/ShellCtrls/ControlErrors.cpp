#include "viewer/ShellCtrls/ControlErrors.h"

#include <chrono>
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

// Failures are reported on the window's thread alone.
std::chrono::steady_clock::duration& ReportingTime() {
  static std::chrono::steady_clock::duration time{};
  return time;
}

}  // namespace

ControlExceptionHandler SetControlExceptionHandler(ControlExceptionHandler handler) {
  ControlExceptionHandler previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : ControlExceptionHandler(WriteToStandardError);
  return previous;
}

void ReportControlException(const std::exception& failure) noexcept {
  const auto start = std::chrono::steady_clock::now();
  try {
    Handler()(failure);
  } catch (...) {
    WriteToStandardError(failure);
  }
  ReportingTime() += std::chrono::steady_clock::now() - start;
}

int64_t ControlReportingMs() noexcept {
  return std::chrono::duration_cast<std::chrono::milliseconds>(ReportingTime()).count();
}

}  // namespace lum
