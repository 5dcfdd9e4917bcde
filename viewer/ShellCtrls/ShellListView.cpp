// The list's state: root, fill, columns, view styles, the folder watch, the
// link with the tree, and its rows. Its input is in ShellListInput.cpp.
#include "viewer/ShellCtrls/ShellListView.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QStackedLayout>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "platform/shell/DateTimeText.h"
#include "platform/shell/FileInfo.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ControlScopes.h"
#include "viewer/ShellCtrls/ShellChangeNotifier.h"
#include "viewer/ShellCtrls/ShellColumns.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellRowSelection.h"
#include "viewer/ShellCtrls/ShellTreeLink.h"
#include "viewer/ShellCtrls/ShownNames.h"

namespace lum {

namespace {

// The width of the widest date and time the locale's format gives: month
// and day names and the markers of the time of day differ in width (in
// Tongan the morning's is "HENGIHENGI", the evening's "EFIAFI"). A week of
// two-digit days in each month, at a two-digit hour before and after noon.
int WidestDateTimeWidth(const QFontMetrics& metrics) {
  int widest = 0;
  for (int month = 1; month <= 12; ++month)
    for (int day = 22; day <= 28; ++day)
      for (const int hour : {10, 22})
        widest = std::max(widest, metrics.horizontalAdvance(
                                      ShownName(shell::LocalDateTimeText(2000, month, day, hour, 58, 58))));
  return widest;
}

shell::HIMAGELIST SystemImages(bool large) {
  shell::SHFILEINFO info;
  const shell::UINT flags = shell::SHGFI_SYSICONINDEX | (large ? 0 : shell::SHGFI_SMALLICON);
  return shell::SHGetFileInfo("/", 0, &info, flags);
}

}  // namespace

TCustomShellListView::TCustomShellListView(QWidget* parent)
    : QWidget(parent), menus_([this] { Rescan(); }), changes_([this] { GuardControl([this] { Rescan(); }); }) {
  model_ = new ShellListModel(this);
  model_->SetImageLists(SystemImages(false), SystemImages(true));
  iconView_ = new ShellIconView(*this, this);
  reportView_ = new ShellReportView(*this, this);
  iconView_->setItemDelegate(new ShellItemDelegate(iconView_));
  selection_ = new QItemSelectionModel(model_, this);
  for (QAbstractItemView* view : Views()) {
    view->setModel(model_);
    view->setSelectionModel(selection_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Queued: the view has let go of the editor, and a rename has been made.
    connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { EditorClosed(); },
            Qt::QueuedConnection);
  }
  iconView_->setUniformItemSizes(true);
  reportView_->setUniformRowHeights(true);
  reportView_->setRootIsDecorated(false);
  reportView_->setItemsExpandable(false);
  reportView_->setAllColumnsShowFocus(true);
  reportView_->header()->setSectionsClickable(true);
  reportView_->header()->setStretchLastSection(false);
  connect(reportView_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    GuardControl([&] {
      if (onColumnClick_) onColumnClick_(*this, column);
    });
  });

  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  stack_->addWidget(iconView_);
  stack_->addWidget(reportView_);
  SetMultiSelect(multiSelect_);
  SetReadOnly(readOnly_);
  SetHideSelection(hideSelection_);
  ApplyViewStyle();
}

TCustomShellListView::~TCustomShellListView() {
  notifier_.reset();
  if (ShellTreeLink* tree = std::exchange(tree_, nullptr)) tree->SetListBackLink(nullptr);
  QObject::disconnect(treeDestroyed_);
  // The rows point into the root item: they go first.
  model_->Clear();
  model_->SetDetailSource(nullptr, nullptr);
}

void TCustomShellListView::Loaded() {
  // Properties set while loading only stored their values; now the window
  // exists, the root is resolved and the list built.
  loading_ = false;
  ResolveRoot();
  RebuildView();
}

// ---- Root and rebuilding ----

void TCustomShellListView::SetRoot(const std::string& root) {
  if (SameRootText(root, rootText_)) return;
  previousRootText_ = rootText_;
  rootText_ = root;
  ResolveRoot();
  settingRoot_ = true;
  RebuildView();
}

void TCustomShellListView::ResolveRoot() {
  // ItemFromRootText destroys the root it is given, while the rows still
  // point into it; it gets none, and the rows go with the old root below.
  std::unique_ptr<TShellFolder> none;
  ReplaceRoot(ItemFromRootText(none, previousRootText_, rootText_));
}

void TCustomShellListView::ReplaceRoot(std::unique_ptr<TShellFolder> root) {
  model_->Clear();
  model_->SetDetailSource(nullptr, nullptr);
  root_ = std::move(root);
  model_->SetDetailSource(root_.get(), this);
}

void TCustomShellListView::OpenIdList(PCUIDLIST absolute) {
  if (updating_) return;
  if (root_ && SameItem(root_->AbsoluteID(), absolute)) return;
  // The new item first: `absolute` may belong to the root or a row.
  ReplaceRoot(ItemFromIdList(absolute));
  settingRoot_ = false;
  RebuildView();
}

void TCustomShellListView::GoUp() {
  if (!root_) return;
  IdList parent = CopyIdList(root_->AbsoluteID());
  StripLastId(parent.get());
  OpenIdList(parent.get());
}

void TCustomShellListView::FollowTree(PCUIDLIST absolute) {
  if (updating_) return;
  if (!root_ || !SameItem(root_->AbsoluteID(), absolute)) OpenIdList(absolute);
}

void TCustomShellListView::RebuildView() {
  if (updating_) return;
  updating_ = true;
  const bool autoRefresh = autoRefresh_;
  // A re-scan keeps the watch of its folder: a new one would start only
  // after the fill, and what changed meanwhile would never be shown.
  std::unique_ptr<TShellChangeNotifier> watch;
  if (notifier_ && root_ && notifier_->Root() == root_->FullPath()) watch = std::move(notifier_);
  SetAutoRefresh(false);
  // The watch comes back also after a failed step, or the list would stop
  // following its folder for good.
  OnExit done([&] {
    updating_ = false;
    if (autoRefresh && watch) {
      autoRefresh_ = true;
      notifier_ = std::move(watch);
    } else {
      GuardControl([&] { SetAutoRefresh(autoRefresh); });
    }
  });
  SyncLinkedControls();
  FillItems();
  if (viewStyle_ == vsReport) BuildColumns();
}

void TCustomShellListView::SyncLinkedControls() {
  OnExit done([this] { settingRoot_ = false; });
  if (!tree_) return;
  if (settingRoot_)
    tree_->SetTreeRoot(rootText_);
  else if (root_)
    tree_->SelectIdList(root_->AbsoluteID());
}

void TCustomShellListView::FillItems() {
  if (loading_) return;
  model_->Clear();
  WaitCursor wait;
  if (!root_) return;
  const TAddItemFilter filter = [this](TShellFolder& item) {
    bool canAdd = true;
    if (onAddFolder_) onAddFolder_(*this, &item, canAdd);
    return canAdd;
  };
  TFolderRead read =
      ReadFolderItems(*root_, ObjectTypesToFlags(objectTypes_), window(), filter, sorted_, std::exchange(earlier_, {}));
  model_->Assign(std::move(read), sorted_);
  ApplyItemSize();
}

void TCustomShellListView::BuildColumns() {
  if (!root_ || !root_->ShellFolder()) return;
  std::vector<TShellColumn> columns = ShellColumnsFor(*root_, this);
  const QFontMetrics metrics = fontMetrics();
  const int letterWidth = metrics.horizontalAdvance(QLatin1Char('X'));
  // A date and time is as wide as the locale writes it, which a count of
  // letters does not know: the column takes the widest one whole, with the
  // margins a cell keeps around its text.
  const int cellMargins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, reportView_) + 1) + 2;
  const int dateWidth = WidestDateWidth() + cellMargins;
  model_->SetColumns(std::move(columns));
  for (size_t i = 0; i < model_->Columns().size(); ++i) {
    const TShellColumn& column = model_->Columns()[i];
    const int width = letterWidth * column.widthInChars;
    reportView_->header()->resizeSection(static_cast<int>(i), column.holdsDates ? std::max(width, dateWidth) : width);
  }
  SelectWholeRows();
}

int TCustomShellListView::WidestDateWidth() {
  const QString measuredFor =
      reportView_->font().key() + QString::number(reportView_->logicalDpiY()) + QLocale().bcp47Name();
  if (measuredFor != dateWidthFor_) {
    dateWidth_ = WidestDateTimeWidth(reportView_->fontMetrics());
    dateWidthFor_ = measuredFor;
  }
  return dateWidth_;
}

// ---- Options ----

void TCustomShellListView::SetObjectTypes(TShellObjectTypes types) {
  objectTypes_ = types;
  if (!loading_) RebuildView();
}

void TCustomShellListView::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  FillItems();
}

void TCustomShellListView::SetAutoRefresh(bool autoRefresh) {
  autoRefresh_ = autoRefresh;
  if (loading_) return;
  notifier_.reset();
  if (!autoRefresh || !root_) return;
  notifier_ = std::make_unique<TShellChangeNotifier>();
  notifier_->SetWatchSubTree(false);
  notifier_->SetRoot(root_->FullPath());
  notifier_->SetOnChange([this] { changes_.Changed(); });
}

void TCustomShellListView::SetViewStyle(TViewStyle style) {
  viewStyle_ = style;
  ApplyViewStyle();
  if (style == vsReport && !loading_) BuildColumns();
}

void TCustomShellListView::ApplyViewStyle() {
  const bool report = viewStyle_ == vsReport;
  const bool icons = viewStyle_ == vsIcon;
  model_->SetLargeIcons(icons);
  if (!report) {
    iconView_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    iconView_->setFlow(viewStyle_ == vsList ? QListView::TopToBottom : QListView::LeftToRight);
    iconView_->setWrapping(true);
    iconView_->setMovement(QListView::Static);
    iconView_->setResizeMode(QListView::Adjust);
    iconView_->setWordWrap(icons);
    iconView_->setTextElideMode(Qt::ElideRight);
    const int iconSize = SystemImages(icons)->IconSize();
    iconView_->setIconSize(QSize(iconSize, iconSize));
    ApplyItemSize();
  }
  const bool focused = hasFocus() || iconView_->hasFocus() || reportView_->hasFocus();
  stack_->setCurrentWidget(report ? static_cast<QWidget*>(reportView_) : iconView_);
  setFocusProxy(CurrentView());
  if (focused) CurrentView()->setFocus();
  if (selection_->currentIndex().isValid()) CurrentView()->scrollTo(selection_->currentIndex());
}

void TCustomShellListView::ApplyItemSize() {
  if (viewStyle_ == vsReport) return;
  const bool icons = viewStyle_ == vsIcon;
  const int iconSize = iconView_->iconSize().width();
  // One size for every row: the widest of a sample of names, within
  // bounds, so that a large folder is not measured name by name.
  const QFontMetrics metrics = iconView_->fontMetrics();
  const int letter = metrics.averageCharWidth();
  int widest = 0;
  const int rows = model_->RowCount();
  const int step = std::max(1, rows / 500);
  for (int row = 0; row < rows; row += step)
    widest = std::max(widest, metrics.horizontalAdvance(model_->index(row, 0).data().toString()));
  QSize item;
  if (icons) {
    item = QSize(std::max(iconSize + 4 * letter, 16 * letter), iconSize + 2 * metrics.lineSpacing() + 12);
  } else {
    const int text = std::clamp(widest, 8 * letter, 40 * letter);
    item = QSize(iconSize + text + 16, std::max(iconSize, metrics.height()) + 6);
  }
  static_cast<ShellItemDelegate*>(iconView_->itemDelegate())->SetItemSize(item);
  iconView_->setGridSize(item);
}

void TCustomShellListView::SetMultiSelect(bool multiSelect) {
  multiSelect_ = multiSelect;
  const auto mode = multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  for (QAbstractItemView* view : Views()) view->setSelectionMode(mode);
}

void TCustomShellListView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  model_->SetEditable(!readOnly);
  const auto triggers = readOnly ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed;
  for (QAbstractItemView* view : Views()) view->setEditTriggers(triggers);
}

void TCustomShellListView::SetHideSelection(bool hideSelection) {
  hideSelection_ = hideSelection;
  // Without the focus, a hidden selection is drawn like the rows around it.
  QPalette palette;
  if (hideSelection) {
    palette = QGuiApplication::palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Inactive, QPalette::Text));
  }
  for (QAbstractItemView* view : Views()) view->setPalette(palette);
}

// ---- The link with the tree ----

void TCustomShellListView::SetShellTreeView(ShellTreeLink* tree) {
  if (tree == tree_) return;
  if (ShellTreeLink* old = tree_) {
    AttachTree(nullptr);
    old->SetListBackLink(nullptr);
  }
  if (!tree) return;
  AttachTree(tree);
  tree->SetListBackLink(this);
  tree->SetTreeRoot(rootText_);
}

void TCustomShellListView::AttachTree(ShellTreeLink* tree) {
  if (tree == tree_) return;
  QObject::disconnect(treeDestroyed_);
  tree_ = tree;
  if (tree) treeDestroyed_ = connect(tree->LinkObject(), &QObject::destroyed, this, [this] { tree_ = nullptr; });
}

// ---- Rows ----

int TCustomShellListView::RowCount() const { return model_->RowCount(); }

bool TCustomShellListView::IsRowSelected(int row) const {
  return row >= 0 && row < RowCount() && selection_->isSelected(model_->index(row, 0));
}

void TCustomShellListView::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  selection_->select(model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int TCustomShellListView::FirstSelectedRow() const {
  int first = -1;
  for (const QItemSelectionRange& range : selection_->selection())
    if (range.left() == 0 && (first < 0 || range.top() < first)) first = range.top();
  return first;
}

TShellFolder* TCustomShellListView::FolderAt(int row) const { return model_->FolderAt(row); }

TShellFolder* TCustomShellListView::FirstSelectedItem() const {
  const int row = FirstSelectedRow();
  return row < 0 ? nullptr : model_->FolderAt(row);
}

void TCustomShellListView::SelectWholeRows() {
  QItemSelection rows;
  const int lastColumn = model_->columnCount() - 1;
  for (const QItemSelectionRange& range : selection_->selection())
    rows.select(model_->index(range.top(), 0), model_->index(range.bottom(), lastColumn));
  selection_->select(rows, QItemSelectionModel::Select);
}

void TCustomShellListView::Rescan() {
  // The item of an open menu lives until the menu has closed.
  if (menus_.DeferWhileOpen()) return;
  // A name being edited is not cut short, and the rows stay where the
  // editor is until the edit has ended.
  if (Editing()) {
    rescanAfterEdit_ = true;
    return;
  }
  rescanAfterEdit_ = false;
  if (updating_ || !root_) return;
  changes_.Refresh([this] { RescanNow(); });
}

bool TCustomShellListView::Editing() const {
  return viewStyle_ == vsReport ? reportView_->Editing() : iconView_->Editing();
}

void TCustomShellListView::EditorClosed() {
  if (std::exchange(rescanAfterEdit_, false)) GuardControl([this] { Rescan(); });
}

void TCustomShellListView::RescanNow() {
  const TSavedSelection saved(*model_, *selection_);
  const IdList folder = CopyIdList(root_->AbsoluteID());
  std::unique_ptr<TShellFolder> root = ItemFromIdList(folder.get());
  // The rows of the same folder that are still there stay as they are:
  // making 100,000 items anew, and sorting them, is most of a re-scan.
  earlier_ = model_->TakeItems();
  const OnExit dropUnused([this] { earlier_ = {}; });
  ReplaceRoot(std::move(root));
  settingRoot_ = false;
  RebuildView();
  saved.Restore(*model_, *selection_);
}

void TCustomShellListView::SortRows(int column) {
  model_->Reorder(ColumnOrder(model_->Items(), column));
}

void TCustomShellListView::SortRows(const TRowComparison& compare) {
  model_->Reorder(ComparisonOrder(model_->Items(), compare));
}

int TCustomShellListView::FindRow(const QString& text, int start, bool wrap) const {
  return model_->FindRow(text, start, wrap);
}

std::array<QAbstractItemView*, 2> TCustomShellListView::Views() const { return {iconView_, reportView_}; }

QAbstractItemView* TCustomShellListView::CurrentView() const {
  return viewStyle_ == vsReport ? static_cast<QAbstractItemView*>(reportView_) : iconView_;
}

}  // namespace lum
