// "--help" and "--version", which every program answers when either is its
// only argument: a file of that name is still reached as "./--help", and a
// mask or a switch beside it keeps its usual meaning.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace lum {

/// When `arguments` is exactly {"--help"} or {"--version"}, prints `help`, or
/// "<program> <version>" and a line end, to `out` and returns the exit
/// status: 0, or 1 when `out` could not be written. Otherwise returns
/// nothing and prints nothing.
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, std::string_view program,
                                       std::string_view help, std::ostream& out);

}  // namespace lum
