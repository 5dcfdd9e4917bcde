// The file list of the viewer's browser: the items of one folder of the
// shell namespace as rows, chosen by the owner's add-filter, sorted, with
// icons and detail columns in four view styles. It follows the linked
// folder tree and tells it where it is, watches its folder, and takes part
// in the shell's context-menu commands.
//
// Everything runs on the window's thread. Failures of the operations below
// reach their caller; failures while Qt calls in (drawing, editing, keys,
// mouse, change notices) go to ReportControlException (ControlErrors.h).
// The shell unit (ShellUnit.h) must outlive every list.
#pragma once

#include <QMetaObject>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "viewer/ShellCtrls/ChangeMerger.h"
#include "viewer/ShellCtrls/KeysDown.h"
#include "viewer/ShellCtrls/MenuDeferral.h"
#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellContextMenu.h"
#include "viewer/ShellCtrls/ShellListViews.h"
#include "viewer/ShellCtrls/ShellRowOrder.h"

class QAbstractItemView;
class QItemSelectionModel;
class QStackedLayout;

namespace lum {

class ShellListModel;
class ShellTreeLink;
class TShellChangeNotifier;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TCustomShellListView;

/// The add-filter: asked once for every enumerated item, before sorting;
/// `canAdd` is true on entry, and false drops `folder`, which the list
/// destroys at once. A handler that raises ends the fill.
using TAddFolderEvent = std::function<void(TCustomShellListView& sender, TShellFolder* folder, bool& canAdd)>;
using TListNotifyEvent = std::function<void(TCustomShellListView& sender)>;
/// A released key (a Qt::Key); the handler may set it to 0.
using TListKeyEvent = std::function<void(TCustomShellListView& sender, int& key, Qt::KeyboardModifiers shift)>;
/// A click on the header of the report column `column` (0 for the first).
using TListColumnClickEvent = std::function<void(TCustomShellListView& sender, int column)>;

class TCustomShellListView : public QWidget, public ShellCommandHook, private ShellViewInput {
 public:
  /// A list in its loading phase: set its properties, then call Loaded().
  explicit TCustomShellListView(QWidget* parent = nullptr);
  ~TCustomShellListView() override;
  TCustomShellListView(const TCustomShellListView&) = delete;
  TCustomShellListView& operator=(const TCustomShellListView&) = delete;

  /// Ends the loading phase: the root is resolved and the list filled, and
  /// the folder watched when AutoRefresh is set. Raises like SetRoot for a
  /// root text that cannot be resolved (the list then stays empty).
  void Loaded();
  bool Loading() const { return loading_; }

  // Properties.

  /// The folder shown: a root folder name ("rfDesktop", the default) or a
  /// path. A text naming the same root folder in another letter case, or
  /// the same text, changes nothing. A text that cannot be resolved raises
  /// "Fehler beim Festlegen des Pfades: "%s"" and changes nothing.
  const std::string& Root() const { return rootText_; }
  void SetRoot(const std::string& root);

  /// Which items are enumerated; default folders and other items. Setting
  /// it rebuilds (while loading it is only stored).
  TShellObjectTypes ObjectTypes() const { return objectTypes_; }
  void SetObjectTypes(TShellObjectTypes types);

  /// Sort after filling (default true); a new value refills.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);

  /// Watch the folder shown (not its sub-folders) and re-scan when items
  /// are created, deleted or renamed in it. Default false; while loading
  /// only stored. Changes reported in quick succession are merged, and the
  /// re-scans they lead to take at most a quarter of the time.
  bool AutoRefresh() const { return autoRefresh_; }
  void SetAutoRefresh(bool autoRefresh);
  /// The watch of the folder shown; null while none runs.
  TShellChangeNotifier* Notifier() const { return notifier_.get(); }

  /// Double-click, Enter, Backspace and F5 navigate (default true).
  bool AutoNavigate() const { return autoNavigate_; }
  void SetAutoNavigate(bool autoNavigate) { autoNavigate_ = autoNavigate; }

  /// Right-click shows the shell's menu of the first selected row (default true).
  bool AutoContextMenus() const { return autoContextMenus_; }
  void SetAutoContextMenus(bool autoContextMenus) { autoContextMenus_ = autoContextMenus; }

  /// The linked folder tree (not owned). Linking hands the list's root text
  /// to the tree and records the list there; null unlinks both sides. The
  /// link is cleared when the tree's LinkObject() is destroyed.
  ShellTreeLink* ShellTreeView() const { return tree_; }
  void SetShellTreeView(ShellTreeLink* tree);

  const TAddFolderEvent& OnAddFolder() const { return onAddFolder_; }
  void SetOnAddFolder(TAddFolderEvent handler) { onAddFolder_ = std::move(handler); }

  /// vsIcon (the default), vsSmallIcon, vsList or vsReport. Rows, selection
  /// and the current row stay; vsReport builds the columns of the folder.
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);

  /// Any number of selected rows (default false: one).
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multiSelect);

  /// No renaming in place (default false).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);

  /// Show the selection only while the list has the focus (default false).
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool hideSelection);

  void SetOnClick(TListNotifyEvent handler) { onClick_ = std::move(handler); }
  void SetOnDblClick(TListNotifyEvent handler) { onDblClick_ = std::move(handler); }
  void SetOnKeyUp(TListKeyEvent handler) { onKeyUp_ = std::move(handler); }
  void SetOnColumnClick(TListColumnClickEvent handler) { onColumnClick_ = std::move(handler); }

  // Rows.

  int RowCount() const;
  bool IsRowSelected(int row) const;
  /// Adds `row` to the selection; other rows keep theirs.
  void SelectRow(int row);
  /// The first selected row in row order, -1 when none is.
  int FirstSelectedRow() const;
  /// The item of `row`; raises EListError ("Listenindex überschreitet das
  /// Maximum (%d)") outside 0 to RowCount() - 1.
  TShellFolder* FolderAt(int row) const;
  /// The folder shown; null before the root is resolved.
  TShellFolder* RootFolder() const { return root_.get(); }

  /// Reads the folder again. Every selected item that still exists stays
  /// selected, and the current item stays current; when none of them is
  /// left, the row at the old first selected position (or the last row) is
  /// selected. While a context menu or the editor of a name is open it
  /// waits until that has closed.
  void Rescan();

  /// Re-orders the rows by `column` of the folder's order (CompareWith),
  /// reading each row's key once. Selection and current row stay with their
  /// items. Lasts until the next fill.
  void SortRows(int column);
  /// The same with a caller's comparison.
  void SortRows(const TRowComparison& compare);

  // Navigation.

  /// Shows the folder named by the absolute ID list, unless it is shown
  /// already. Ignored while the list rebuilds.
  void OpenIdList(PCUIDLIST absolute);
  /// Shows the parent folder; nothing at the desktop.
  void GoUp();
  /// Called by the linked tree after it selected a folder: the list shows
  /// it before returning. Ignored while the list rebuilds.
  void FollowTree(PCUIDLIST absolute);
  /// The tree's side of linking: records `tree` (null: none) as the linked
  /// tree without calling it.
  void AttachTree(ShellTreeLink* tree);

  // Editing and searching.

  /// Starts editing the name of the first selected row in place.
  void BeginRename();
  /// The type-ahead search (ShellTypeAhead.h).
  int FindRow(const QString& text, int start, bool wrap) const;

  /// The shell's context menu of the first selected row at `at` (in this
  /// control's coordinates); nothing when no row is selected.
  void ShowContextMenu(QPoint at);

  // ShellCommandHook: "rename" edits in place, "open" runs in the item's
  // folder, "delete" and "paste" re-scan.
  void BeforeCommand(const std::string& verb, bool& handled) override;
  void AfterCommand(const std::string& verb, bool succeeded) override;

  /// The model, the view that shows the current style, and the selection
  /// they share.
  ShellListModel* Model() const { return model_; }
  QAbstractItemView* CurrentView() const;
  QItemSelectionModel* SelectionModel() const { return selection_; }

 private:
  // ShellViewInput.
  bool ViewKeyDown(QKeyEvent& event, bool editing) override;
  void ViewKeyUp(QKeyEvent& event) override;
  void ViewFocusLost() override;
  void ViewClicked() override;
  void ViewDoubleClicked() override;
  bool ViewContextMenu(QAbstractItemView& view, QPoint at, bool byKeyboard) override;

  void RescanNow();
  bool Editing() const;
  void EditorClosed();
  void ResolveRoot();
  void ReplaceRoot(std::unique_ptr<TShellFolder> root);
  void RebuildView();
  void SyncLinkedControls();
  void FillItems();
  void BuildColumns();
  /// The width of the widest date and time the locale writes, in the
  /// report's font; measured again only when the font, the resolution or
  /// the locale has changed, not at every re-scan.
  int WidestDateWidth();
  void ApplyViewStyle();
  void ApplyItemSize();
  void SelectWholeRows();
  std::array<QAbstractItemView*, 2> Views() const;
  TShellFolder* FirstSelectedItem() const;
  void Open(TShellFolder& item);

  std::string rootText_ = "rfDesktop";
  std::string previousRootText_;
  std::unique_ptr<TShellFolder> root_;
  TShellObjectTypes objectTypes_{otFolders, otNonFolders};
  bool sorted_ = true;
  bool autoRefresh_ = false;
  bool autoNavigate_ = true;
  bool autoContextMenus_ = true;
  TViewStyle viewStyle_ = vsIcon;
  bool multiSelect_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = false;
  QString dateWidthFor_;  ///< font, resolution and locale that dateWidth_ was measured for
  int dateWidth_ = 0;

  bool loading_ = true;
  bool updating_ = false;     ///< while a rebuild runs: folder changes are ignored
  bool settingRoot_ = false;  ///< the running rebuild comes from a new root text
  TMenuDeferral menus_;       ///< a re-scan waits while a row's menu is open
  bool rescanAfterEdit_ = false;  ///< a re-scan waits while a name is edited
  TChangeMerger changes_;     ///< the watch's notices, merged into re-scans
  TEarlierItems earlier_;     ///< a re-scan's rows of the read before, for the fill to keep
  TKeysDown keysDown_;        ///< pressed in the list, not yet released
  std::string savedDirectory_;

  ShellTreeLink* tree_ = nullptr;
  QMetaObject::Connection treeDestroyed_;
  std::unique_ptr<TShellChangeNotifier> notifier_;

  TAddFolderEvent onAddFolder_;
  TListNotifyEvent onClick_;
  TListNotifyEvent onDblClick_;
  TListKeyEvent onKeyUp_;
  TListColumnClickEvent onColumnClick_;

  ShellListModel* model_;
  QItemSelectionModel* selection_;
  QStackedLayout* stack_;
  ShellIconView* iconView_;
  ShellReportView* reportView_;
};

/// The file list as the main window places it.
class TShellListView : public TCustomShellListView {
 public:
  using TCustomShellListView::TCustomShellListView;
};

}  // namespace lum
