// The windows that context-menu commands show. They never block: each opens
// and returns, so the caller's command is done when the window appears.
// Internal to platform/shell.
#pragma once

#include <string>

#include "platform/shell/ItemContextMenu.h"

namespace lum::shell::detail {

/// A warning box (object name "lumShellFailure"); nothing without the Qt
/// widget application.
void ShowFailure(HWND owner, const std::string& message);

/// Asks for a new name (object name "lumShellRename") and renames the item
/// within its folder when the user accepts; a refusal shows a failure box.
void ShowRenameDialog(HWND owner, const MenuTarget& target);

/// Name, location, type, size, modification time and permissions (object
/// name "lumShellProperties").
void ShowPropertiesWindow(HWND owner, const MenuTarget& target);

}  // namespace lum::shell::detail
