// Every text the shell layer shows or hands out, in one place: the names of
// the virtual folders, column headings, context-menu entries and the
// messages of failed commands. Placeholders are filled with lum::msg::Format.
#pragma once

namespace lum::shell::text {

// Virtual items.
constexpr const char* kDesktop = "Desktop";
constexpr const char* kHome = "Home";
constexpr const char* kComputer = "Computer";
/// The desktop's parsing name when it has no directory of its own.
constexpr const wchar_t* kDesktopClassPath = L"::{00021400-0000-0000-C000-000000000046}";

// Detail columns of file-system folders.
constexpr const char* kColumnName = "Name";
constexpr const char* kColumnSize = "Size";
constexpr const char* kColumnType = "Type";
constexpr const char* kColumnModified = "Date modified";
constexpr const char* kColumnPermissions = "Permissions";

// Type texts.
constexpr const char* kTypeFolder = "Folder";
constexpr const char* kTypeFileOfExtension = "%s file";  ///< %s = the extension in capitals
constexpr const char* kTypeFile = "File";

// Context-menu entries ("&" marks the access key).
constexpr const char* kMenuOpen = "&Open";
constexpr const char* kMenuCut = "Cu&t";
constexpr const char* kMenuCopy = "&Copy";
constexpr const char* kMenuPaste = "&Paste";
constexpr const char* kMenuDelete = "&Delete";
constexpr const char* kMenuRename = "Rena&me";
constexpr const char* kMenuProperties = "P&roperties";

// Help texts of the entries (GetCommandString with GCS_HELPTEXT).
constexpr const char* kHelpOpen = "Opens the item with its default application.";
constexpr const char* kHelpCut = "Moves the item to the clipboard.";
constexpr const char* kHelpCopy = "Copies the item to the clipboard.";
constexpr const char* kHelpPaste = "Puts the items on the clipboard into this folder.";
constexpr const char* kHelpDelete = "Moves the item to the trash.";
constexpr const char* kHelpRename = "Gives the item a new name.";
constexpr const char* kHelpProperties = "Shows the item's properties.";

// Dialogs.
constexpr const char* kRenameTitle = "Rename";
constexpr const char* kRenamePrompt = "New name:";
constexpr const char* kPropertiesTitle = "Properties of %s";
constexpr const char* kPropertyName = "Name:";
constexpr const char* kPropertyPath = "Location:";
constexpr const char* kPropertyType = "Type:";
constexpr const char* kPropertySize = "Size:";
constexpr const char* kPropertyModified = "Modified:";
constexpr const char* kPropertyPermissions = "Permissions:";
constexpr const char* kSizeBytes = "%s bytes";
constexpr const char* kUnreadable = "(cannot be read: %s)";

// Failed commands (%s = the item, then the system's reason).
constexpr const char* kFailureTitle = "Lumiq";
constexpr const char* kOpenFailed = "\"%s\" cannot be opened: no application is available.";
constexpr const char* kDeleteFailed = "\"%s\" cannot be moved to the trash: %s";
/// A trash that another user could read or change (%s = the item, then the
/// folder refused).
constexpr const char* kTrashNotSafe =
    "\"%s\" cannot be moved to the trash: the trash folder \"%s\" belongs to another user, may be written by "
    "others or is not a real folder";
constexpr const char* kRenameFailed = "\"%s\" cannot be renamed: %s";
constexpr const char* kPasteFailed = "\"%s\" cannot be pasted: %s";
constexpr const char* kPasteIntoItself = "a folder cannot be put inside itself";
constexpr const char* kPathWithNul = "the path holds a NUL character";

}  // namespace lum::shell::text
