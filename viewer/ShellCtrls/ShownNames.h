// Names are bytes. One that is not UTF-8 cannot be shown exactly: the
// browser controls show it with replacement characters and never write
// that text back as a new name.
#pragma once

#include <QString>
#include <string>

namespace lum {

/// `name` as shown and edited.
QString ShownName(const std::string& name);

/// Whether an edit of `name` that ended with `edited` asks for a new name:
/// not when the text is the name as shown, also when that is only the
/// replacement-character form of a name that is not UTF-8.
bool IsNewName(const QString& edited, const std::string& name);

/// The bytes of an edited name.
std::string NameBytes(const QString& edited);

}  // namespace lum
