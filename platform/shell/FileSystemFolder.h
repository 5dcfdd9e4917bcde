// A file-system directory as a shell folder. Internal to platform/shell.
#pragma once

#include <string>

#include "platform/shell/ShellTypes.h"

namespace lum::shell::detail {

/// The file-system folder object for `path`, asked for `iid`.
HRESULT BindFileSystemFolder(const std::string& path, REFIID iid, void** object);

}  // namespace lum::shell::detail
