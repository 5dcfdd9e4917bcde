// The tree's state: the root, loading nodes, expanding, the selection and
// what follows it, selecting by path, reloading, the folder watch, the link
// with the list, and the node icons. Its input is in ShellTreeInput.cpp,
// its lines and buttons in ShellTreeBranches.cpp.
#include "viewer/ShellCtrls/ShellTreeView.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <utility>
#include <vector>

#include "platform/shell/Launcher.h"
#include "platform/shell/System.h"
#include "platform/shell/WideText.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ControlScopes.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellChangeNotifier.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeDelegate.h"

namespace lum {

using namespace shell;

namespace {

// Whether the folder yields one item at all, with the system's messages
// about unreadable media kept quiet meanwhile.
bool YieldsAnItem(TShellFolder& item, SHCONTF flags) {
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const OnExit restore([previousMode] { SetErrorMode(previousMode); });
  ComPtr<IEnumIDList> enumerator;
  if (item.ShellFolder()->EnumObjects(nullptr, flags, enumerator) != S_OK || !enumerator) return false;
  IdList first;
  ULONG fetched = 0;
  return enumerator->Next(1, &first, &fetched) == S_OK;
}

// The highlight of the selected node covers its label, not the lines and
// the button before it.
class LabelOnlySelection : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_ItemView_ShowDecorationSelected) return 0;
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

// The nodes change without being drawn; the tree is drawn once at the end.
class TCustomShellTreeView::UpdateScope {
 public:
  explicit UpdateScope(TCustomShellTreeView& tree) : tree_(tree) {
    if (tree_.updateDepth_++ == 0) tree_.setUpdatesEnabled(false);
  }
  ~UpdateScope() {
    if (--tree_.updateDepth_ == 0) tree_.setUpdatesEnabled(true);
  }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TCustomShellTreeView& tree_;
};

TCustomShellTreeView::TCustomShellTreeView(QWidget* parent)
    : QTreeWidget(parent),
      menus_([this] { ReloadSelectedNode(); }),
      changes_([this] { GuardControl([this] { ReloadSelectedNode(); }); }),
      notifier_(std::make_unique<TShellChangeNotifier>()) {
  SHFILEINFO info;
  systemImages_ = SHGetFileInfo("/", 0, &info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  setColumnCount(1);
  setHeaderHidden(true);
  // As wide as the widest label: a deep or long one scrolls sideways
  // instead of being cut short.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setRootIsDecorated(false);
  setIndentation(19);
  setUniformRowHeights(true);
  setSelectionMode(SingleSelection);
  setEditTriggers(SelectedClicked | EditKeyPressed);
  setItemDelegate(new ShellTreeDelegate(*this, this));
  // Queued: the view has let go of the editor, and a rename has been made.
  connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { EditorClosed(); },
          Qt::QueuedConnection);
  auto* style = new LabelOnlySelection;
  style->setParent(this);
  setStyle(style);
  setIconSize(QSize(systemImages_->IconSize(), systemImages_->IconSize()));
  ApplyPalette();
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    GuardControl([&] { NodeExpanded(static_cast<TShellTreeNode&>(*item)); });
  });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    GuardControl([&] { NodeCollapsed(static_cast<TShellTreeNode&>(*item)); });
  });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { GuardControl([this] { SelectionChanged(); }); });
}

TCustomShellTreeView::~TCustomShellTreeView() {
  notifier_.reset();
  if (TCustomShellListView* list = list_) {
    SetListBackLink(nullptr);
    list->AttachTree(nullptr);
  }
  // The nodes go while this is still the tree they belong to.
  QObject::disconnect(selectionModel(), nullptr, this, nullptr);
  clear();
}

void TCustomShellTreeView::Loaded() {
  loading_ = false;
  BuildRootNode();
}

// ---- Root ----

void TCustomShellTreeView::SetRoot(const std::string& root) {
  if (SameRootText(root, rootText_)) return;
  previousRootText_ = rootText_;
  rootText_ = root;
  RebuildFromRoot();
}

void TCustomShellTreeView::SetObjectTypes(TShellObjectTypes types) {
  objectTypes_ = types;
  RebuildFromRoot();
}

void TCustomShellTreeView::RebuildFromRoot() {
  if (updating_ || loading_) return;
  updating_ = true;
  const OnExit done([this] { updating_ = false; });
  BuildRootNode();
  if (!list_) return;
  list_->SetRoot(rootText_);
  // The same root text moves no list; it shows the root the tree selected.
  if (TShellTreeNode* root = RootNode()) list_->FollowTree(root->Item()->AbsoluteID());
}

void TCustomShellTreeView::BuildRootNode() {
  if (loading_) return;
  // A text that cannot be resolved raises here, with the old root item and
  // its nodes as they were: rebuilding them would lose the selection that
  // the list still shows.
  rootItem_ = ItemFromRootText(rootItem_, previousRootText_, rootText_);
  const UpdateScope update(*this);
  ClearNodes();
  auto node = std::make_unique<TShellTreeNode>(std::make_unique<TShellFolder>(
      nullptr, rootItem_->AbsoluteID(), ComPtr<IShellFolder>(rootItem_->ShellFolder())));
  TShellTreeNode& root = *node;
  TShellFolder& item = *root.Item();
  root.SetText(GetDisplayName(DesktopFolder().Get(), item.AbsoluteID(), SHGDN_NORMAL));
  if (useShellImages_ && !images_) SetShellImages(root);
  root.SetHasChildren(item.HasSubFolderItems());
  addTopLevelItem(node.release());
  Expand(root);
  Select(&root);
}

void TCustomShellTreeView::ClearNodes() {
  const UpdateScope update(*this);
  CancelEdit();
  clear();
}

// ---- Nodes ----

TShellTreeNode* TCustomShellTreeView::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TShellTreeNode*>(itemFromIndex(index)) : nullptr;
}

TShellTreeNode* TCustomShellTreeView::RootNode() const {
  return static_cast<TShellTreeNode*>(topLevelItem(0));
}

TShellTreeNode* TCustomShellTreeView::Selected() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? nullptr : NodeOf(selected.first());
}

TShellTreeNode* TCustomShellTreeView::TopNode() const { return NodeAt(QPoint(0, 0)); }

TShellTreeNode* TCustomShellTreeView::NodeAt(QPoint at) const { return NodeOf(indexAt(at)); }

TShellTreeNode* TCustomShellTreeView::MenuTarget() const {
  if (TShellTreeNode* target = NodeOf(menuTarget_)) return target;
  return Selected();
}

TShellFolder* TCustomShellTreeView::SelectedFolderItem() const {
  TShellTreeNode* node = MenuTarget();
  return node ? node->Item() : nullptr;
}

TShellTreeNode* TCustomShellTreeView::FindNodeInSubtree(PCUIDLIST absolute, TShellTreeNode* start) const {
  if (!start) return nullptr;
  const ComPtr<IShellFolder> desktop = DesktopFolder();
  return FindInSubtree(*start, [&](const TShellTreeNode& node) {
    return desktop->CompareIDs(0, absolute, node.Item()->AbsoluteID()) == S_OK;
  });
}

void TCustomShellTreeView::InsertBefore(TShellTreeNode& next, std::unique_ptr<TShellTreeNode> node) {
  if (TShellTreeNode* parent = next.Parent())
    parent->insertChild(parent->indexOfChild(&next), node.release());
  else
    insertTopLevelItem(indexOfTopLevelItem(&next), node.release());
}

void TCustomShellTreeView::DeleteNode(TShellTreeNode* node) {
  // An edit of a label that goes renames nothing: closed by the view, the
  // editor would hand its unfinished text over as it lost the focus.
  if (TShellTreeNode* edited = EditedNode(); edited && LiesIn(edited, *node)) CancelEdit();
  // Taken out first, so that the view lets go of it while it is whole;
  // then destroyed with its subtree and their items.
  std::unique_ptr<QTreeWidgetItem> taken;
  if (TShellTreeNode* parent = node->Parent())
    taken.reset(parent->takeChild(parent->indexOfChild(node)));
  else
    taken.reset(takeTopLevelItem(indexOfTopLevelItem(node)));
}

// ---- Expanding and loading ----

void TCustomShellTreeView::Expand(TShellTreeNode& node) {
  if (node.isExpanded()) return;
  if (!CanExpand(node) || node.Count() == 0) return;
  expandingByCode_ = true;
  const OnExit done([this] { expandingByCode_ = false; });
  node.setExpanded(true);
}

void TCustomShellTreeView::NodeExpanded(TShellTreeNode& node) {
  // Qt has expanded the node at the user's request already: a veto, or a
  // node that turned out to have no children, closes it again.
  if (expandingByCode_) return;
  bool keep = false;
  const OnExit decide([&] {
    if (!keep) node.setExpanded(false);
  });
  keep = CanExpand(node) && node.Count() > 0;
}

void TCustomShellTreeView::NodeCollapsed(TShellTreeNode& node) {
  // A selected node that collapsing hides hands the selection to the node
  // collapsed, and the list follows it there.
  TShellTreeNode* selected = Selected();
  if (selected && selected != &node && LiesIn(selected, node)) Select(&node);
}

bool TCustomShellTreeView::CanExpand(TShellTreeNode& node) {
  bool allow = true;
  if (onExpanding_) onExpanding_(*this, &node, allow);
  // A veto keeps the button: the node may be opened another time.
  if (!allow) return false;
  TShellFolder& item = *node.Item();
  if (!item.IsFolderItem()) {
    const std::string path = item.FullPath();
    ShellExecute(window(), nullptr, path, {}, FolderPart(path), SW_HIDE);
  } else if (node.HasChildren() && node.Count() == 0) {
    LoadChildren(node);
  }
  // Every folder is said to have sub-folders until it is opened.
  node.SetHasChildren(node.Count() > 0);
  return true;
}

void TCustomShellTreeView::LoadChildren(TShellTreeNode& node) {
  const WaitCursor wait;
  const UpdateScope update(*this);
  TShellFolders items = EnumerateFolderItems(*node.Item(), ObjectTypesToFlags(objectTypes_), window());
  std::vector<std::unique_ptr<TShellTreeNode>> children;
  children.reserve(items.size());
  for (std::unique_ptr<TShellFolder>& item : items)
    if (std::unique_ptr<TShellTreeNode> child = SetUpChildNode(std::move(item))) children.push_back(std::move(child));
  // The shell's name order of the folder, each name read once.
  TShellFolderRefs refs(children.size());
  for (size_t i = 0; i < children.size(); ++i) refs[i] = children[i]->Item();
  const TRowOrder order = ColumnOrder(refs, 0);
  QList<QTreeWidgetItem*> sorted;
  sorted.reserve(static_cast<qsizetype>(order.size()));
  for (const size_t index : order) sorted.append(children[index].release());
  node.addChildren(sorted);
}

std::unique_ptr<TShellTreeNode> TCustomShellTreeView::SetUpChildNode(std::unique_ptr<TShellFolder> folder) {
  auto node = std::make_unique<TShellTreeNode>(std::move(folder));
  TShellFolder& item = *node->Item();
  node->SetText(item.InFolderName());
  if (useShellImages_ && !images_) SetShellImages(*node);
  if (node->SelectedIndex() == 0) node->SetSelectedIndex(node->ImageIndex());
  node->SetHasChildren(item.HasSubFolderItems());
  if (item.IsShared()) node->SetOverlayIndex(0);
  // With files listed, the shell's answer about sub-folders says nothing
  // about files: a folder is asked for one item.
  if (objectTypes_.Contains(otNonFolders) && item.ShellFolder())
    node->SetHasChildren(YieldsAnItem(item, ObjectTypesToFlags(objectTypes_)));
  bool canAdd = true;
  if (onAddFolder_) onAddFolder_(*this, &item, canAdd);
  if (!canAdd) return nullptr;
  return node;
}

void TCustomShellTreeView::SetShellImages(TShellTreeNode& node) const {
  node.SetImageIndex(node.Item()->ShellImageIndex(false, false));
  node.SetSelectedIndex(node.Item()->ShellImageIndex(false, true));
}

// ---- The selection ----

void TCustomShellTreeView::Select(TShellTreeNode* node) {
  if (node)
    setCurrentItem(node);
  else
    selectionModel()->clear();
}

void TCustomShellTreeView::SelectionChanged() {
  if (revertingSelection_) return;
  TShellTreeNode* node = Selected();
  TShellTreeNode* previous = NodeOf(lastSelected_);
  if (node == previous) return;
  bool allow = true;
  if (node && onChanging_) onChanging_(*this, node, allow);
  if (!allow) {
    revertingSelection_ = true;
    const OnExit done([this] { revertingSelection_ = false; });
    Select(previous);
    return;
  }
  lastSelected_ = node ? QPersistentModelIndex(indexFromItem(node)) : QPersistentModelIndex();
  // The tree's own selections (selecting by ID list, rebuilding) move
  // neither the list nor the watch.
  if (updating_ || !node) return;
  FollowSelection(*node);
}

void TCustomShellTreeView::FollowSelection(TShellTreeNode& node) {
  const bool autoRefresh = autoRefresh_;
  // The watch of the same folder stays (a reload selects its node again):
  // a new one would start only after the reload, and what changed
  // meanwhile would never be shown.
  std::unique_ptr<TShellChangeNotifier> sameWatch;
  if (notifier_ && notifier_->OnChange() && notifier_->Root() == node.Item()->FullPath())
    sameWatch = std::move(notifier_);
  SetAutoRefresh(false);
  // The watch comes back also after a failed step, or the tree would stop
  // following its folder for good.
  const OnExit watch([&] {
    if (autoRefresh && sameWatch) {
      autoRefresh_ = true;
      notifier_ = std::move(sameWatch);
      return;
    }
    nodeToWatch_ = &node;
    GuardControl([&] { SetAutoRefresh(autoRefresh); });
    nodeToWatch_ = nullptr;
  });
  TShellFolder* folder = node.Item();
  if (!folder->IsFolderItem() && folder->Parent()) folder = folder->Parent();
  updating_ = true;
  const OnExit done([this] { updating_ = false; });
  if (list_) list_->FollowTree(folder->AbsoluteID());
}

// ---- Selecting by path and by ID list ----

void TCustomShellTreeView::SelectPath(const std::string& path) {
  ULONG eaten = static_cast<ULONG>(path.size());
  ULONG attributes = 0;
  IdList idList;
  const HRESULT result =
      DesktopFolder()->ParseDisplayName(nullptr, nullptr, WideFromBytes(path), &eaten, idList, &attributes);
  if (result != S_OK || !idList) throw SetPathFailed(path);
  SelectIdList(idList.get());
}

void TCustomShellTreeView::SelectIdList(PCUIDLIST absolute) {
  if (updating_ || loading_) return;
  if (TShellFolder* current = SelectedFolderItem(); current && SameItem(current->AbsoluteID(), absolute)) return;
  // A copy: `absolute` may belong to an item that expanding replaces.
  const IdList target = CopyIdList(absolute);
  updating_ = true;
  const OnExit done([this] { updating_ = false; });
  const UpdateScope update(*this);
  // Down the ancestors, each looked for below the last one found.
  TShellTreeNode* start = RootNode();
  for (const IdList& ancestor : AncestorChain(target.get())) {
    if (TShellTreeNode* found = FindNodeInSubtree(ancestor.get(), start)) {
      Expand(*found);
      start = found;
    }
  }
  // A folder no listed folder leads to keeps the selection where it is,
  // with the list that shows it.
  TShellTreeNode* node = FindNodeInSubtree(target.get(), start);
  if (!node) return;
  Select(node);
  if (list_) list_->FollowTree(node->Item()->AbsoluteID());
}

// ---- Reloading ----

void TCustomShellTreeView::ReloadNode(TShellTreeNode* node) {
  if (!node || !node->Item()->ShellFolder()) return;
  const WaitCursor wait;
  TShellTreeNode* top = TopNode();
  TShellTreeNode* selected = Selected();
  const IdList topId = top ? CopyIdList(top->Item()->AbsoluteID()) : nullptr;
  const IdList selectedId = selected ? CopyIdList(selected->Item()->AbsoluteID()) : nullptr;
  const UpdateScope update(*this);

  // A new node before the old one, loaded afresh.
  TShellFolder& old = *node->Item();
  TShellTreeNode* parent = node->Parent();
  auto fresh = std::make_unique<TShellTreeNode>(std::make_unique<TShellFolder>(
      parent ? parent->Item() : nullptr, old.RelativeID(), ComPtr<IShellFolder>(old.ShellFolder())));
  TShellTreeNode& reloaded = *fresh;
  InsertBefore(*node, std::move(fresh));
  LoadChildren(reloaded);
  TShellFolder& item = *reloaded.Item();
  reloaded.SetImageIndex(item.ShellImageIndex(false, false));
  reloaded.SetSelectedIndex(item.ShellImageIndex(false, true));
  reloaded.SetHasChildren(item.HasSubFolderItems());
  reloaded.SetText(item.InFolderName());

  // What was expanded in the old subtree is expanded in the new one,
  // parents before their children.
  std::vector<PCUIDLIST> expanded;
  FindInSubtree(*node, [&](const TShellTreeNode& oldNode) {
    if (oldNode.isExpanded()) expanded.push_back(oldNode.Item()->AbsoluteID());
    return false;
  });
  for (const PCUIDLIST id : expanded)
    if (TShellTreeNode* found = FindNodeInSubtree(id, &reloaded)) Expand(*found);

  // The selection leaves the old subtree before it goes: the list is not
  // sent to whatever node would be selected in its place meanwhile.
  if (selected && LiesIn(selected, *node)) Select(nullptr);
  DeleteNode(node);
  if (selectedId) Select(FindNodeInSubtree(selectedId.get(), RootNode()));
  if (topId) {
    if (TShellTreeNode* found = FindNodeInSubtree(topId.get(), RootNode())) scrollToItem(found, PositionAtTop);
  }
}

void TCustomShellTreeView::ReloadSelectedNode() {
  // The node of an open menu lives until the menu has closed.
  if (menus_.DeferWhileOpen()) return;
  // Only a finished edit renames: the reload waits for it, unless the
  // folder being renamed has gone.
  if (TShellTreeNode* edited = EditedNode()) {
    if (!FolderIsGone(*edited->Item())) {
      reloadAfterEdit_ = true;
      return;
    }
    CancelEdit();
  }
  reloadAfterEdit_ = false;
  TShellTreeNode* node = Selected();
  if (!node) return;
  changes_.Refresh([&] {
    // A selected folder that another program removed (or moved) gives way
    // to its nearest ancestor left, as one deleted through the menu does:
    // the list follows it there, and its reload drops the nodes that went.
    if (FolderIsGone(*node->Item())) {
      if (TShellTreeNode* left = NearestAncestorLeft(node)) Select(node = left);
    }
    ReloadNode(node);
  });
}

// ---- Options ----

void TCustomShellTreeView::SetAutoRefresh(bool autoRefresh) {
  autoRefresh_ = autoRefresh;
  if (loading_) return;
  notifier_.reset();
  if (!autoRefresh) return;
  const TShellFolder* watched = nodeToWatch_ ? nodeToWatch_->Item() : rootItem_.get();
  if (!watched) return;
  notifier_ = std::make_unique<TShellChangeNotifier>();
  notifier_->SetWatchSubTree(false);
  // A tree of folders alone has nothing to show for a file made or removed:
  // in a folder that another program fills with files, reloading for each
  // would read its whole listing again and again. (A symbolic link to a
  // folder counts as a file here; it shows at the next reload.)
  if (!objectTypes_.Contains(otNonFolders)) notifier_->SetNotifyFilters(nfDirNameChange);
  notifier_->SetRoot(watched->FullPath());
  notifier_->SetOnChange([this] { changes_.Changed(); });
}

void TCustomShellTreeView::SetUseShellImages(bool useShellImages) {
  useShellImages_ = useShellImages;
  icons_.clear();
  viewport()->update();
}

void TCustomShellTreeView::SetImages(const TImageList* images) {
  images_ = images;
  icons_.clear();
  const int size = images ? images->IconSize() : systemImages_->IconSize();
  setIconSize(QSize(size, size));
  viewport()->update();
}

void TCustomShellTreeView::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  ApplyPalette();
}

void TCustomShellTreeView::ApplyPalette() {
  QPalette palette = QApplication::palette(this);
  if (parentColor_ && parentWidget()) palette.setColor(QPalette::Base, parentWidget()->palette().color(QPalette::Window));
  // Without the focus the selected node is drawn like the others.
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Inactive, QPalette::Text));
  setPalette(palette);
}

// ---- The link with the list ----

void TCustomShellTreeView::SetShellListView(TCustomShellListView* list) {
  if (list == list_) return;
  if (TCustomShellListView* old = list_) {
    SetListBackLink(nullptr);
    old->AttachTree(nullptr);
  }
  if (!list) return;
  SetListBackLink(list);
  list->AttachTree(this);
  list->SetRoot(rootText_);
}

void TCustomShellTreeView::SetListBackLink(TCustomShellListView* list) {
  if (list == list_) return;
  QObject::disconnect(listDestroyed_);
  list_ = list;
  if (list) listDestroyed_ = connect(list, &QObject::destroyed, this, [this] { list_ = nullptr; });
}

// ---- Icons ----

QIcon TCustomShellTreeView::NodeIcon(TShellTreeNode& node) {
  if (images_) {
    if (onGetImageIndex_) onGetImageIndex_(*this, &node);
    if (onGetSelectedIndex_) onGetSelectedIndex_(*this, &node);
  } else if (!useShellImages_) {
    return {};
  }
  const bool overlay = node.OverlayIndex() >= 0 && !images_;
  const QString key = QStringLiteral("%1 %2 %3").arg(node.ImageIndex()).arg(node.SelectedIndex()).arg(overlay);
  const auto cached = icons_.constFind(key);
  if (cached != icons_.constEnd()) return *cached;

  const int size = images_ ? images_->IconSize() : systemImages_->IconSize();
  const auto image = [&](int index) {
    QPixmap pixmap = (images_ ? images_->Icon(index) : systemImages_->Icon(index)).pixmap(size);
    if (overlay && !pixmap.isNull()) {
      // The shell's overlay for a shared folder, in the lower left corner.
      const QIcon shared = QIcon::fromTheme("emblem-shared", style()->standardIcon(QStyle::SP_DriveNetIcon));
      QPainter painter(&pixmap);
      shared.paint(&painter, QRect(0, size / 2, size / 2, size / 2));
    }
    return pixmap;
  };
  QIcon icon;
  icon.addPixmap(image(node.ImageIndex()), QIcon::Normal);
  icon.addPixmap(image(node.SelectedIndex()), QIcon::Selected);
  icons_.insert(key, icon);
  return icon;
}

}  // namespace lum
