#include "console/ProgramInfo.h"

#include "console/Version.h"

namespace lum {

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, std::string_view program,
                                       std::string_view help, std::ostream& out) {
  if (arguments.size() != 1) return std::nullopt;
  if (arguments.front() == "--help") {
    out << help;
  } else if (arguments.front() == "--version") {
    out << program << ' ' << kVersion << '\n';
  } else {
    return std::nullopt;
  }
  out.flush();
  return out ? 0 : 1;
}

}  // namespace lum
