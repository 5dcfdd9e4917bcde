#include "viewer/ShellCtrls/ShellTreeNode.h"

#include "viewer/ShellCtrls/ShownNames.h"

namespace lum {

TShellTreeNode::TShellTreeNode(std::unique_ptr<TShellFolder> item) : item_(std::move(item)) {
  setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
  // The one column exists from the start: a change reported before the
  // label is set names a valid cell.
  setText(0, QString());
}

// The item goes before the children's, which never look at their parent
// while they are destroyed.
TShellTreeNode::~TShellTreeNode() = default;

void TShellTreeNode::SetText(std::string text) {
  text_ = std::move(text);
  setText(0, ShownName(text_));
}

void TShellTreeNode::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

void TShellTreeNode::SetSelectedIndex(int index) {
  if (index == selectedIndex_) return;
  selectedIndex_ = index;
  Changed();
}

void TShellTreeNode::SetOverlayIndex(int index) {
  if (index == overlayIndex_) return;
  overlayIndex_ = index;
  Changed();
}

bool TShellTreeNode::HasChildren() const { return childIndicatorPolicy() == ShowIndicator; }

void TShellTreeNode::SetHasChildren(bool hasChildren) {
  // Children that exist are shown with their button whatever the flag says.
  setChildIndicatorPolicy(hasChildren ? ShowIndicator : DontShowIndicatorWhenChildless);
}

int TShellTreeNode::Level() const {
  int level = 0;
  for (const QTreeWidgetItem* above = parent(); above; above = above->parent()) ++level;
  return level;
}

void TShellTreeNode::Changed() {
  // The icons are drawn from the indexes: a node in a tree is drawn again.
  if (treeWidget()) emitDataChanged();
}

bool LiesIn(const TShellTreeNode* node, const TShellTreeNode& subtree) {
  for (; node; node = node->Parent())
    if (node == &subtree) return true;
  return false;
}

}  // namespace lum
