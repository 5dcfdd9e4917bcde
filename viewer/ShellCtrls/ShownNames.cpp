#include "viewer/ShellCtrls/ShownNames.h"

namespace lum {

QString ShownName(const std::string& name) { return QString::fromUtf8(name.data(), static_cast<int>(name.size())); }

bool IsNewName(const QString& edited, const std::string& name) { return edited != ShownName(name); }

std::string NameBytes(const QString& edited) { return edited.toStdString(); }

}  // namespace lum
