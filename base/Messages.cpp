#include "base/Messages.h"

namespace lum::msg {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string text;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                             (pattern[i + 1] == 's' || pattern[i + 1] == 'd' || pattern[i + 1] == 'x');
    if (placeholder && arg != args.end()) {
      text += *arg++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace lum::msg
