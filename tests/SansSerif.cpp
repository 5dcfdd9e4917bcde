#include "tests/SansSerif.h"

#include <algorithm>
#include <cstdlib>

namespace lum::test {

void UseSansSerif(const std::string& family) {
  std::string file = family;
  std::replace(file.begin(), file.end(), ' ', '-');
  ::setenv("FONTCONFIG_FILE", (std::string(LUM_TEST_FONTS_DIR) + "/" + file + ".conf").c_str(), 1);
}

}  // namespace lum::test
