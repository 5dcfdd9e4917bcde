// Names are bytes, usually but not always UTF-8. The browser controls show
// and edit them as text, and every byte that the user did not delete or
// replace must come back as that byte when an edited name is written. So a
// byte that is not part of valid UTF-8 is shown as a character of its own,
// one of the 128 private-use characters U+F780 to U+F7FF (byte 0x80 to
// 0xFF), and turned back into that byte when the name is written. A name
// that holds one of those characters itself shows its bytes in the same
// way, so the way back is exact for every name.
#pragma once

#include <QString>
#include <string>

namespace lum {

/// `name` as shown and edited.
QString ShownName(const std::string& name);

/// The bytes of an edited name: ShownName's way back.
std::string NameBytes(const QString& edited);

/// Whether an edit of `name` that ended with `edited` asks for a new name.
bool IsNewName(const QString& edited, const std::string& name);

}  // namespace lum
