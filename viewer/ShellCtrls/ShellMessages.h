// Every text the shell item model raises or shows, in one place. The German
// texts are the browser's and the run-time library's own and must stay
// exactly as they are.
#pragma once

namespace lum::shellmsg {

/// A root text or path that the shell cannot resolve (%s = the text).
constexpr const char* kSetPathFailed = "Fehler beim Festlegen des Pfades: \"%s\"";
/// The file data of a detail row cannot be read (%s = the item's name, %x =
/// the system error code in hexadecimal).
constexpr const char* kDetailsUnreadable = "Details für Ordner \"%s\" können nicht gelesen werden. Fehler-Code $%x";
/// A detail text asked for before any was loaded (%s = the item's name).
constexpr const char* kMissingLoadColumnDetails = "%s: Fehlender AUfruf von LoadColumnDetails";
/// The shell refused a new name (%s = the new name).
constexpr const char* kRenameFailed = "Umbenennen nach %s ist fehlgeschlagen";
/// The display name asked of an absent folder.
constexpr const char* kParentFolderNil = "parentfolder = nil";
/// A detail text past the loaded ones (%d = the index asked for).
constexpr const char* kListIndexOutOfBounds = "Listenindex überschreitet das Maximum (%d)";
/// A failed shell call whose code has no system text (%x = the code, 8 digits).
constexpr const char* kOleError = "OLE-Fehler %x";

/// A second unit started while one runs (a programming error).
constexpr const char* kUnitRunning = "ShellCtrlsUnit: the unit is already running";

// The list's default columns, for folders without detail interfaces.
constexpr const char* kColumnName = "Name";
constexpr const char* kColumnSize = "Größe";
constexpr const char* kColumnType = "Typ";
constexpr const char* kColumnModified = "Geändert";

}  // namespace lum::shellmsg
