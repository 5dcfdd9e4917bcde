// The texts the application object makes: its title, and the text of the
// box that shows a failure.
#pragma once

#include <QString>

namespace lum::controls {

/// The application title for the program file at `path`: the file name
/// without its folder, cut at its first ".", with every character after the
/// first one in lower case ("/opt/LUMIQ.exe" gives "Lumiq").
QString TitleFromProgramFile(const QString& path);

/// The text of the failure box for `message`: a "." is added when the
/// message's last character has a code above that of "." (0x2E), so that a
/// message ending in a letter, a digit or "?" gets one, and one ending in
/// ".", "!", ",", ")" or a double quote does not.
QString ExceptionText(const QString& message);

}  // namespace lum::controls
