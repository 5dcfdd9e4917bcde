// Enumerating the entries of a directory. Internal to platform/shell.
#pragma once

#include <string>

#include "platform/shell/ComPtr.h"
#include "platform/shell/ShellInterfaces.h"

namespace lum::shell::detail {

/// An enumerator over the entries of `folder`.
HRESULT EnumerateEntries(const std::string& folder, SHCONTF flags, ComPtr<IEnumIDList>& enumerator);

}  // namespace lum::shell::detail
