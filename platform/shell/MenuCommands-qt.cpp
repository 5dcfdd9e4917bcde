#include "platform/shell/MenuCommands.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <cstdio>
#include <cstring>

#include "base/Messages.h"
#include "platform/controls/PlainText.h"
#include "platform/shell/DateTimeText.h"
#include "platform/shell/FolderDetails.h"
#include "platform/shell/FolderEntries.h"
#include "platform/shell/PathText.h"
#include "platform/shell/PermissionText.h"
#include "platform/shell/ShellTexts.h"
#include "platform/shell/WideText.h"

namespace lum::shell::detail {

namespace {

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QString Shown(const std::string& bytes) { return QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size())); }

// "-rw-r--r-- (644)": the letters as the detail column has them, and the
// number that chmod takes.
std::string Permissions(mode_t mode) {
  char octal[8];
  std::snprintf(octal, sizeof octal, "%03o", static_cast<unsigned>(mode & 0777));
  return PermissionText(mode) + " (" + octal + ")";
}

// Names and the system's texts are shown as they are. The form's window
// takes the label over.
QLabel* Value(const std::string& text, const char* objectName) {
  std::unique_ptr<QLabel> label = controls::MakePlainLabel(Shown(text));
  label->setObjectName(objectName);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label.release();
}

// A row of the form: its caption, plain as the value is, names the value
// for a screen reader (buddy).
void AddRow(QFormLayout* form, const char* caption, QLabel* value) {
  std::unique_ptr<QLabel> label = controls::MakePlainLabel(QString::fromUtf8(caption));
  label->setObjectName(value->objectName() + QLatin1String("Caption"));
  label->setBuddy(value);
  form->addRow(label.release(), value);
}

}  // namespace

void ShowFailure(HWND owner, const std::string& message) {
  if (!HaveWidgets()) return;
  // Deleted on close (and with its owner).
  QMessageBox* box = controls::MakePlainMessageBox(QMessageBox::Warning, text::kFailureTitle, Shown(message), owner)
                         .release();
  box->setObjectName("lumShellFailure");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void ShowRenameDialog(HWND owner, const MenuTarget& target) {
  if (!HaveWidgets()) return;
  QInputDialog* dialog = controls::MakePlainInputDialog(text::kRenameTitle, text::kRenamePrompt, owner).release();
  dialog->setObjectName("lumShellRename");
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setTextValue(Shown(target.name));
  const std::string path = target.path;
  const std::string name = target.name;
  const ids::IdView last{ids::Kind::Entry, static_cast<uint8_t>(target.isFolder ? ids::kFolder : 0), {}};
  QObject::connect(dialog, &QInputDialog::textValueSelected, dialog, [=](const QString& typed) {
    ResolvedItem item{path, ParentOf(path), last, true};
    item.last.name = name;
    // The typed text is UTF-8; an unchanged name keeps its own bytes.
    const std::string newName = typed == Shown(name) ? name : typed.toStdString();
    const HRESULT renamed = RenameEntry(item, nullptr, WideFromBytes(newName), nullptr);
    if (Failed(renamed))
      ShowFailure(owner, msg::Format(text::kRenameFailed, {name, std::strerror(ErrnoFromHResult(renamed))}));
  });
  dialog->open();
}

void ShowPropertiesWindow(HWND owner, const MenuTarget& target) {
  if (!HaveWidgets()) return;
  auto* window = new QDialog(owner);
  window->setObjectName("lumShellProperties");
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(controls::PlainWindowTitle(Shown(msg::Format(text::kPropertiesTitle, {target.name}))));
  auto* form = new QFormLayout(window);
  AddRow(form, text::kPropertyName, Value(target.name, "name"));
  AddRow(form, text::kPropertyPath, Value(ParentOf(target.path), "location"));
  struct stat status {};
  if (::stat(target.path.c_str(), &status) == 0 || ::lstat(target.path.c_str(), &status) == 0) {
    AddRow(form, text::kPropertyType, Value(TypeTextOf(target.name, S_ISDIR(status.st_mode)), "type"));
    if (!S_ISDIR(status.st_mode))
      AddRow(form, text::kPropertySize, Value(msg::Format(text::kSizeBytes, {std::to_string(status.st_size)}), "size"));
    AddRow(form, text::kPropertyModified, Value(FileTimeText(status.st_mtim.tv_sec), "modified"));
    AddRow(form, text::kPropertyPermissions, Value(Permissions(status.st_mode), "permissions"));
  } else {
    AddRow(form, text::kPropertyType, Value(msg::Format(text::kUnreadable, {std::strerror(errno)}), "type"));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
  form->addRow(buttons);
  window->show();
}

}  // namespace lum::shell::detail
