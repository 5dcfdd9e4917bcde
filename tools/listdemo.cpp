// The browser on a folder: the folder tree beside the file list, linked as
// the main window links them, for trying the controls by hand and for
// screenshots (not installed). Keys 1 to 4 switch the list's view style:
// list, small icons, large icons, details.
//
//   listdemo <folder> [--logos] [--view 1-4] [--select rows] [--grab file.png]
//
// The tree starts at the desktop and selects <folder>, which the list then
// shows. --logos lists only logo files, as the viewer does; --select
// selects the given rows (e.g. 1,3); --grab saves a picture of the window
// after the fill and quits.
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPixmap>
#include <QShortcut>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace {

constexpr lum::TViewStyle kStyles[] = {lum::vsList, lum::vsSmallIcon, lum::vsIcon, lum::vsReport};

bool IsLogoName(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  QString extension = QString::fromStdString(path.substr(dot)).toLower();
  return extension == ".kvx" || extension == ".hzn";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  QString folder, grab;
  int style = 1;
  bool logos = false;
  QStringList selected;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == "--logos") {
      logos = true;
    } else if (argument == "--view" && i + 1 < arguments.size()) {
      style = std::clamp(arguments[++i].toInt(), 1, 4);
    } else if (argument == "--select" && i + 1 < arguments.size()) {
      selected = arguments[++i].split(',');
    } else if (argument == "--grab" && i + 1 < arguments.size()) {
      grab = arguments[++i];
    } else {
      folder = argument;
    }
  }
  if (folder.isEmpty()) {
    std::fputs("usage: listdemo <folder> [--logos] [--view 1-4] [--select rows] [--grab file.png]\n", stderr);
    return 2;
  }
  try {
    lum::ShellCtrlsUnit unit;
    QSplitter window;
    // The tree and the list as the main window sets them up.
    auto* tree = new lum::TShellTreeView(&window);
    auto* list = new lum::TShellListView(&window);
    tree->SetAutoRefresh(true);
    list->SetMultiSelect(true);
    list->SetAutoRefresh(true);
    list->SetViewStyle(kStyles[style - 1]);
    if (logos) {
      list->SetObjectTypes({lum::otNonFolders});
      list->SetOnAddFolder([](lum::TCustomShellListView&, lum::TShellFolder* item, bool& canAdd) {
        canAdd = !item->IsFolderItem() && IsLogoName(item->FullPath());
      });
    }
    list->SetShellTreeView(tree);
    tree->SetShellListView(list);
    tree->Loaded();
    list->Loaded();
    tree->SelectPath(QFileInfo(folder).absoluteFilePath().toStdString());
    for (const QString& row : selected) list->SelectRow(row.toInt());
    for (int key = 0; key < 4; ++key) {
      auto* shortcut = new QShortcut(QKeySequence(Qt::Key_1 + key), &window);
      QObject::connect(shortcut, &QShortcut::activated, list, [list, key] { list->SetViewStyle(kStyles[key]); });
    }
    window.setSizes({240, 560});
    window.setWindowTitle(folder);
    window.resize(800, 420);
    window.show();
    window.activateWindow();
    tree->setFocus();
    if (!grab.isEmpty()) {
      QTimer::singleShot(200, &window, [&] {
        if (!window.grab().save(grab)) std::fprintf(stderr, "cannot write %s\n", qPrintable(grab));
        QApplication::quit();
      });
    }
    return QApplication::exec();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
}
