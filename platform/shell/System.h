// Process-wide services the shell's callers expect: the current directory,
// and the initialisation calls of the desktop platform, which have nothing
// to set up here.
#pragma once

#include <string>

#include "platform/shell/ShellTypes.h"

namespace lum::shell {

/// The process's current directory ("" if it cannot be read).
std::string GetCurrentDirectory();
/// Makes `path` the current directory; false on failure.
bool SetCurrentDirectory(const std::string& path);

/// The shell's objects need no set-up here: S_OK the first time, S_FALSE
/// when already initialised (counted, as the platform counts).
HRESULT OleInitialize(void* reserved);
void OleUninitialize();

/// Critical-error boxes do not exist here; the mode is only remembered and
/// the previous one returned.
constexpr UINT SEM_FAILCRITICALERRORS = 0x1;
UINT SetErrorMode(UINT mode);

}  // namespace lum::shell
