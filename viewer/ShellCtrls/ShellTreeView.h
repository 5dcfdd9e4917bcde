// The folder tree of the viewer's browser: the folders of the shell
// namespace below a root, filled one level at a time as nodes are expanded.
// Selecting a node shows its folder in the linked file list; the list's own
// moves select their folder here; the selected folder is watched and its
// node reloaded when it changes; nodes are renamed in place and take part
// in the shell's context-menu commands.
//
// Everything runs on the window's thread. Failures of the operations below
// reach their caller; failures while Qt calls in (expanding, selecting,
// editing, the menu, change notices) go to ReportControlException
// (ControlErrors.h). The shell unit (ShellUnit.h) must outlive every tree.
#pragma once

#include <QHash>
#include <QMetaObject>
#include <QPersistentModelIndex>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/shell/FileInfo.h"
#include "viewer/ShellCtrls/ChangeMerger.h"
#include "viewer/ShellCtrls/ImageList.h"
#include "viewer/ShellCtrls/MenuDeferral.h"
#include "viewer/ShellCtrls/RootFolders.h"
#include "viewer/ShellCtrls/ShellContextMenu.h"
#include "viewer/ShellCtrls/ShellTreeLink.h"
#include "viewer/ShellCtrls/ShellTreeNode.h"

namespace lum {

class TCustomShellListView;
class TCustomShellTreeView;
class TShellChangeNotifier;

/// The add-filter: asked for the item of every node just made; `canAdd` is
/// true on entry, and false removes the node (and destroys the item).
using TTreeAddFolderEvent = std::function<void(TCustomShellTreeView& sender, TShellFolder* folder, bool& canAdd)>;
/// Asked before `node` expands (`allow` true on entry) or becomes the
/// selected node; false vetoes.
using TTreeNodeQueryEvent = std::function<void(TCustomShellTreeView& sender, TShellTreeNode* node, bool& allow)>;
/// An edit of `node`'s label ended with `text`, which the handler may change.
using TTreeEditedEvent = std::function<void(TCustomShellTreeView& sender, TShellTreeNode* node, std::string& text)>;
/// With an image list of the application's own: sets `node`'s image or
/// selected index before the node is drawn.
using TTreeNodeEvent = std::function<void(TCustomShellTreeView& sender, TShellTreeNode* node)>;

class TCustomShellTreeView : public QTreeWidget, public ShellCommandHook, public ShellTreeLink {
 public:
  /// A tree in its loading phase: set its properties, then call Loaded().
  explicit TCustomShellTreeView(QWidget* parent = nullptr);
  ~TCustomShellTreeView() override;
  TCustomShellTreeView(const TCustomShellTreeView&) = delete;
  TCustomShellTreeView& operator=(const TCustomShellTreeView&) = delete;

  /// Ends the loading phase: the root node is built, expanded and selected,
  /// which points the linked list (and, with AutoRefresh, the watch) at the
  /// root folder. Raises like SetRoot for a root text that cannot be
  /// resolved (the tree then stays empty).
  void Loaded();
  bool Loading() const { return loading_; }

  // Properties.

  /// The top of the tree: a root folder name ("rfDesktop", the default) or
  /// a path. A text naming the same root folder in another letter case, or
  /// the same text, changes nothing. A new one rebuilds the tree and hands
  /// the text to the linked list. One that cannot be resolved raises
  /// "Fehler beim Festlegen des Pfades: "%s"" and changes nothing.
  const std::string& Root() const { return rootText_; }
  void SetRoot(const std::string& root);

  /// Which items become nodes; default folders only. Setting it rebuilds
  /// (while loading it is only stored).
  TShellObjectTypes ObjectTypes() const { return objectTypes_; }
  void SetObjectTypes(TShellObjectTypes types);

  /// Icons from the shell's small system image list (default true), unless
  /// Images is set.
  bool UseShellImages() const { return useShellImages_; }
  void SetUseShellImages(bool useShellImages);
  /// An image list of the application's own (not owned; default none). With
  /// one, nodes get their indexes from OnGetImageIndex and OnGetSelectedIndex.
  const TImageList* Images() const { return images_; }
  void SetImages(const TImageList* images);

  /// Watch the selected folder (not its sub-folders) and reload its node
  /// when folders (with files listed, any items) are created, deleted or
  /// renamed in it. Default false; while loading only stored. Changes
  /// reported in quick succession are merged, and the reloads they lead to
  /// take at most a quarter of the time.
  bool AutoRefresh() const { return autoRefresh_; }
  void SetAutoRefresh(bool autoRefresh);
  /// The watch of the selected folder; null while none runs.
  TShellChangeNotifier* Notifier() const { return notifier_.get(); }

  /// Right-click shows the shell's menu of a node (default true).
  bool AutoContextMenus() const { return autoContextMenus_; }
  void SetAutoContextMenus(bool autoContextMenus) { autoContextMenus_ = autoContextMenus; }

  /// A right click acts on the node under the mouse while its menu is
  /// open, without moving the selection (default true). Otherwise the
  /// menu is that of the selected node.
  bool RightClickSelect() const { return rightClickSelect_; }
  void SetRightClickSelect(bool rightClickSelect) { rightClickSelect_ = rightClickSelect; }

  /// The linked file list (not owned). Linking hands the tree's root text
  /// to the list and records the tree there; null unlinks both sides. The
  /// link is cleared when the list is destroyed.
  TCustomShellListView* ShellListView() const { return list_; }
  void SetShellListView(TCustomShellListView* list);

  /// Pixels by which each level is indented (19 by default).
  int Indent() const { return indentation(); }
  void SetIndent(int indent) { setIndentation(indent); }
  /// The background of the parent's window instead of the tree's own
  /// (default false).
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);
  /// Lines and buttons before the top-level nodes too (default false).
  bool ShowRoot() const { return rootIsDecorated(); }
  void SetShowRoot(bool showRoot) { setRootIsDecorated(showRoot); }

  void SetOnAddFolder(TTreeAddFolderEvent handler) { onAddFolder_ = std::move(handler); }
  void SetOnExpanding(TTreeNodeQueryEvent handler) { onExpanding_ = std::move(handler); }
  void SetOnChanging(TTreeNodeQueryEvent handler) { onChanging_ = std::move(handler); }
  void SetOnEdited(TTreeEditedEvent handler) { onEdited_ = std::move(handler); }
  void SetOnGetImageIndex(TTreeNodeEvent handler) { onGetImageIndex_ = std::move(handler); }
  void SetOnGetSelectedIndex(TTreeNodeEvent handler) { onGetSelectedIndex_ = std::move(handler); }

  // Nodes.

  /// The first top-level node: the root folder's.
  TShellTreeNode* RootNode() const;
  /// The selected node, or null.
  TShellTreeNode* Selected() const;
  /// The node shown at the top of the tree, or null.
  TShellTreeNode* TopNode() const;
  /// The node under `at` (viewport coordinates), or null.
  TShellTreeNode* NodeAt(QPoint at) const;
  /// The item of the node that commands act on: the right-clicked node's
  /// while its menu is open, else the selected node's; null without one.
  TShellFolder* SelectedFolderItem() const;

  /// Selects `node` (null: none) as the user would.
  void Select(TShellTreeNode* node);
  /// Expands `node` as the user would: the handler may veto; a folder's
  /// children are loaded the first time; an item that is no folder is
  /// opened with its application instead. A node without children is left
  /// without an expand button.
  void Expand(TShellTreeNode& node);
  /// Starts editing `node`'s label in place.
  void EditLabel(TShellTreeNode& node);
  using QTreeWidget::edit;

  /// The node whose item is `absolute`: `start` or one below it that is
  /// loaded; null if none.
  TShellTreeNode* FindNodeInSubtree(PCUIDLIST absolute, TShellTreeNode* start) const;

  // Operations.

  /// Selects the folder that `path` names, expanding its ancestors, and
  /// shows it in the linked list before returning. A path the shell cannot
  /// parse raises EInvalidPath "Fehler beim Festlegen des Pfades: "%s"" and
  /// changes nothing. Does not move the folder watch.
  void SelectPath(const std::string& path);
  /// The same for an absolute ID list. Nothing when the node that commands
  /// act on already names that item, while loading, or while the tree
  /// itself is changing its selection. A folder that no listed folder leads
  /// to (a hidden one, or one outside the root) leaves the selection and
  /// the list as they were.
  void SelectIdList(PCUIDLIST absolute) override;

  /// Reads `node`'s subtree from the shell again; expanded nodes that still
  /// exist stay expanded, and the selection and the top node are kept.
  void ReloadNode(TShellTreeNode* node);
  /// ReloadNode of the selected node: what a change notice does. A selected
  /// folder that has gone gives way to its nearest ancestor left, which is
  /// selected and reloaded instead. While a node's menu or the editor of a
  /// label is open it waits until that has closed; an edit whose folder has
  /// gone meanwhile is cancelled instead.
  void ReloadSelectedNode();

  /// The shell's context menu of the node that commands act on at `at`
  /// (this control's coordinates); `target`, if given, is that node while
  /// the menu is open.
  void ShowContextMenu(QPoint at, TShellTreeNode* target = nullptr);

  // ShellCommandHook: "rename" edits the label in place, "open" runs in the
  // item's folder, "delete" removes a node whose folder is gone, "paste"
  // reloads the node.
  void BeforeCommand(const std::string& verb, bool& handled) override;
  void AfterCommand(const std::string& verb, bool succeeded) override;

  // ShellTreeLink, the list's side of the link.
  void SetTreeRoot(const std::string& rootText) override { SetRoot(rootText); }
  void SetListBackLink(TCustomShellListView* list) override;
  QObject* LinkObject() override { return this; }

  /// The icon drawn for `node`: its image, the selected image while it is
  /// selected, its overlay; none without an image list.
  QIcon NodeIcon(TShellTreeNode& node);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;

 private:
  friend class ShellTreeDelegate;

  class UpdateScope;

  void BuildRootNode();
  void RebuildFromRoot();
  void ClearNodes();
  bool CanExpand(TShellTreeNode& node);
  void LoadChildren(TShellTreeNode& node);
  std::unique_ptr<TShellTreeNode> SetUpChildNode(std::unique_ptr<TShellFolder> item);
  void NodeExpanded(TShellTreeNode& node);
  void NodeCollapsed(TShellTreeNode& node);
  void SelectionChanged();
  void FollowSelection(TShellTreeNode& node);
  void DeleteNode(TShellTreeNode* node);
  /// Whether nothing is left at `item`'s path (a deleted or moved folder).
  static bool FolderIsGone(const TShellFolder& item);
  /// The nearest ancestor of `node` whose folder is still there; null when
  /// none is.
  static TShellTreeNode* NearestAncestorLeft(TShellTreeNode* node);
  TShellTreeNode* EditedNode() const;
  void CancelEdit();
  void EditorClosed();
  void InsertBefore(TShellTreeNode& next, std::unique_ptr<TShellTreeNode> node);
  void LabelEdited(TShellTreeNode& node, const QString& text);
  void SetShellImages(TShellTreeNode& node) const;
  TShellTreeNode* MenuTarget() const;
  TShellTreeNode* NodeOf(const QModelIndex& index) const;
  void ApplyPalette();

  std::string rootText_ = "rfDesktop";
  std::string previousRootText_;
  std::unique_ptr<TShellFolder> rootItem_;
  TShellObjectTypes objectTypes_{otFolders};
  bool useShellImages_ = true;
  const TImageList* images_ = nullptr;
  bool autoRefresh_ = false;
  bool autoContextMenus_ = true;
  bool rightClickSelect_ = true;
  bool parentColor_ = false;

  bool loading_ = true;
  bool updating_ = false;          ///< the tree changes its selection or rebuilds: list and watch stay
  bool expandingByCode_ = false;   ///< Expand asked already; Qt's notice is not a new request
  bool revertingSelection_ = false;
  int updateDepth_ = 0;
  TShellTreeNode* nodeToWatch_ = nullptr;  ///< set while a selection re-creates the watch
  QPersistentModelIndex lastSelected_;     ///< what a vetoed selection goes back to
  QPersistentModelIndex menuTarget_;       ///< the right-clicked node while its menu is open
  QPersistentModelIndex edited_;           ///< the node whose label was last opened for editing
  TMenuDeferral menus_;
  bool reloadAfterEdit_ = false;           ///< a reload waits while a label is edited
  TChangeMerger changes_;                  ///< the watch's notices, merged into reloads
  std::string savedDirectory_;

  TCustomShellListView* list_ = nullptr;
  QMetaObject::Connection listDestroyed_;
  std::unique_ptr<TShellChangeNotifier> notifier_;
  shell::HIMAGELIST systemImages_;
  QHash<QString, QIcon> icons_;  ///< node icons by image, selected image and overlay

  TTreeAddFolderEvent onAddFolder_;
  TTreeNodeQueryEvent onExpanding_;
  TTreeNodeQueryEvent onChanging_;
  TTreeEditedEvent onEdited_;
  TTreeNodeEvent onGetImageIndex_;
  TTreeNodeEvent onGetSelectedIndex_;
};

/// The folder tree as the main window places it.
class TShellTreeView : public TCustomShellTreeView {
 public:
  using TCustomShellTreeView::TCustomShellTreeView;
};

}  // namespace lum
