// File permissions as text, the way `ls -l` writes them.
#pragma once

#include <sys/types.h>

#include <string>

namespace lum::shell {

/// "d" for a folder ("-" for anything else), then the nine permission
/// letters: "drwxr-xr-x", "-rw-r--r--".
std::string PermissionText(mode_t mode);

}  // namespace lum::shell
