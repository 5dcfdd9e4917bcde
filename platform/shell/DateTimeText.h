// Dates and times as the user's locale writes them (short form, four-digit
// years, so that 1899 and 1999 cannot be confused).
#pragma once

#include <cstdint>
#include <string>

namespace lum::shell {

/// A file time (seconds since 1970, UTC) in local time.
std::string FileTimeText(int64_t secondsSinceEpoch);

/// A local calendar date and time.
std::string LocalDateTimeText(int year, int month, int day, int hour, int minute, int second);

}  // namespace lum::shell
