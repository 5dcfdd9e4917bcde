// The desktop's sans-serif family for a test program, so that the window
// tests measure the font they expect whatever the machine prefers.
#pragma once

#include <string>

namespace lum::test {

/// The family the window tests are written for unless they name another.
inline const std::string kReferenceSansSerif = "DejaVu Sans";

/// Makes `family` ("DejaVu Sans", "Liberation Sans" or "Noto Sans") the
/// sans-serif of this process, through a fontconfig file of the build.
/// Call it before any font is used, that is before the application object
/// is made.
void UseSansSerif(const std::string& family);

}  // namespace lum::test
