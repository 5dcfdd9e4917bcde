// A node of the folder tree: one shell item, which the node owns, with its
// label and icons. The item of a child node has its parent node's item as
// parent.
#pragma once

#include <QTreeWidgetItem>
#include <memory>
#include <string>

#include "viewer/ShellCtrls/ShellFolder.h"

namespace lum {

class TShellTreeNode : public QTreeWidgetItem {
 public:
  explicit TShellTreeNode(std::unique_ptr<TShellFolder> item);
  ~TShellTreeNode() override;
  TShellTreeNode(const TShellTreeNode&) = delete;
  TShellTreeNode& operator=(const TShellTreeNode&) = delete;

  TShellFolder* Item() const { return item_.get(); }

  /// The label: the item's name as bytes, shown as ShownName of it.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  /// Indexes into the tree's image list: the icon, the one shown while the
  /// node is selected, and an overlay drawn over both (-1: none).
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);
  int OverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int index);

  /// Whether an expand button is drawn before the children are known.
  bool HasChildren() const;
  void SetHasChildren(bool hasChildren);

  TShellTreeNode* Parent() const { return static_cast<TShellTreeNode*>(parent()); }
  int Count() const { return childCount(); }
  TShellTreeNode* Child(int index) const { return static_cast<TShellTreeNode*>(child(index)); }
  /// 0 for a top-level node.
  int Level() const;

 private:
  void Changed();

  std::unique_ptr<TShellFolder> item_;
  std::string text_;
  int imageIndex_ = 0;
  int selectedIndex_ = 0;
  int overlayIndex_ = -1;
};

/// Whether `node` is `subtree` or lies below it.
bool LiesIn(const TShellTreeNode* node, const TShellTreeNode& subtree);

/// `start`, then the nodes after it in display order that lie deeper than
/// it (its subtree: parents before their children, expanded or not), until
/// `match` answers true; that node, or null. Nothing is loaded.
template <class Match>
TShellTreeNode* FindInSubtree(TShellTreeNode& start, const Match& match) {
  if (match(start)) return &start;
  for (int i = 0; i < start.Count(); ++i)
    if (TShellTreeNode* found = FindInSubtree(*start.Child(i), match)) return found;
  return nullptr;
}

}  // namespace lum
