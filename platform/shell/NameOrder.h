// The order in which people expect file names: letter case ignored, runs of
// digits compared as numbers ("logo2" before "logo10"), and where that finds
// no difference the bytes decide, so that the order is total and stable.
#pragma once

#include <string_view>

namespace lum::shell {

/// Negative, 0 or positive as `a` sorts before, with or after `b`; 0 only
/// for equal byte strings. Allocates nothing.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace lum::shell
