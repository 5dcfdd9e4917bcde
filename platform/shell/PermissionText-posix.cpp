#include "platform/shell/PermissionText.h"

#include <sys/stat.h>

namespace lum::shell {

std::string PermissionText(mode_t mode) {
  std::string text = S_ISDIR(mode) ? "d" : "-";
  const char letters[] = "rwx";
  for (int shift = 8; shift >= 0; --shift) text += (mode & (1u << shift)) ? letters[(8 - shift) % 3] : '-';
  return text;
}

}  // namespace lum::shell
