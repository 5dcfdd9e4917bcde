#include "platform/shell/FileClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/shell/FileUrls.h"

namespace lum::shell {

namespace {

const QString kUriList = QStringLiteral("text/uri-list");
const QString kGnomeFiles = QStringLiteral("x-special/gnome-copied-files");
const QString kKdeCut = QStringLiteral("application/x-kde-cutselection");

QClipboard* Clipboard() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr; }

// The URLs of a list, one a line, "#" lines being comments.
std::vector<std::string> Paths(const QByteArray& lines) {
  std::vector<std::string> paths;
  for (QByteArray line : lines.split('\n')) {
    line = line.trimmed();
    std::string path;
    if (!line.isEmpty() && line[0] != '#' && PathFromFileUrl(line.toStdString(), path)) paths.push_back(path);
  }
  return paths;
}

}  // namespace

void PutFilesOnClipboard(const std::vector<std::string>& paths, bool cut) {
  QClipboard* clipboard = Clipboard();
  if (!clipboard) return;
  QByteArray uriList;
  QByteArray gnome = cut ? "cut" : "copy";
  for (const std::string& path : paths) {
    const QByteArray url = QByteArray::fromStdString(FileUrlFromPath(path));
    uriList += url + "\r\n";
    gnome += "\n" + url;
  }
  auto data = std::make_unique<QMimeData>();
  data->setData(kUriList, uriList);
  data->setData(kGnomeFiles, gnome);
  if (cut) data->setData(kKdeCut, "1");
  clipboard->setMimeData(data.release());  // the clipboard owns it from here
}

bool FilesOnClipboard(std::vector<std::string>& paths, bool& cut) {
  paths.clear();
  cut = false;
  QClipboard* clipboard = Clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data) return false;
  if (data->hasFormat(kGnomeFiles)) {
    QByteArray gnome = data->data(kGnomeFiles);
    const int lineEnd = gnome.indexOf('\n');
    cut = gnome.left(lineEnd < 0 ? gnome.size() : lineEnd).trimmed() == "cut";
    paths = Paths(lineEnd < 0 ? QByteArray() : gnome.mid(lineEnd + 1));
  } else if (data->hasFormat(kUriList)) {
    paths = Paths(data->data(kUriList));
    cut = data->data(kKdeCut).trimmed() == "1";
  }
  return !paths.empty();
}

void ClearFileClipboard() {
  if (QClipboard* clipboard = Clipboard()) clipboard->clear();
}

}  // namespace lum::shell
