// The shell's context menu of an item, shown for a browser control, and the
// hook through which the control takes part in the chosen command.
#pragma once

#include <QPoint>
#include <string>

#include "platform/shell/ContextMenu.h"
#include "viewer/ShellCtrls/ShellFolder.h"

class QWidget;

namespace lum {

/// Implemented by a control that wants a say in context-menu commands.
class ShellCommandHook {
 public:
  /// Before the command runs; a control that sets `handled` has dealt with
  /// it, and the shell does not run it.
  virtual void BeforeCommand(const std::string& verb, bool& handled) = 0;
  /// After it: `succeeded` when the shell ran it without error or the
  /// control handled it.
  virtual void AfterCommand(const std::string& verb, bool succeeded) = 0;

 protected:
  ~ShellCommandHook() = default;
};

/// Whether a command's verb is `known`; verbs are compared without regard
/// to letter case.
bool SameVerb(const std::string& verb, const char* known);

/// The folder part of an item's path, up to and including its last "/":
/// where a command on the item runs.
std::string FolderPart(const std::string& path);

/// Shows the context menu of `item` at `position` (in `control`'s client
/// coordinates) and runs the chosen command. A control that is also a
/// ShellCommandHook is asked before and told after.
void ShowShellContextMenu(QWidget* control, TShellFolder* item, QPoint position);

// Menu messages that a control passes on while the menu is open.
constexpr shell::UINT WM_DRAWITEM = 0x2B;
constexpr shell::UINT WM_MEASUREITEM = 0x2C;
constexpr shell::UINT WM_INITMENUPOPUP = 0x117;
constexpr shell::UINT WM_MENUCHAR = 0x120;

/// The IContextMenu2 of the menu that is open now (the menu slot), or null.
shell::IContextMenu2* OpenContextMenu();

/// Passes one of the four menu messages to the open menu, with message
/// result 0; false (nothing done) for other messages or with no menu open.
/// The control then processes the message as usual.
bool PassMenuMessage(shell::UINT message, shell::WPARAM wParam, shell::LPARAM lParam, intptr_t& result);

/// Empties the menu slot (at the unit's end).
void ReleaseMenuSlot();

}  // namespace lum
