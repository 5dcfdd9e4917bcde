// What the file list needs of the folder tree it is linked with. The tree
// implements this; the list calls nothing else of it.
#pragma once

#include <string>

#include "viewer/ShellCtrls/IdLists.h"

class QObject;

namespace lum {

class TCustomShellListView;

class ShellTreeLink {
 public:
  /// The tree's root text, set by the list when it is linked and after a
  /// change of its own root text. The tree rebuilds from the new root and
  /// hands its root text back to the list (an equal text changes nothing).
  virtual void SetTreeRoot(const std::string& rootText) = 0;

  /// Selects the node of the folder named by `absolute`, expanding its
  /// ancestors, and tells the list (FollowTree), which ignores the call
  /// while it is rebuilding. Nothing when that node is selected already.
  virtual void SelectIdList(PCUIDLIST absolute) = 0;

  /// Records `list` as the tree's linked list without calling back; null
  /// clears the link. Used by the list when it links, unlinks or goes.
  virtual void SetListBackLink(TCustomShellListView* list) = 0;

  /// The object whose destruction clears the list's link to the tree.
  virtual QObject* LinkObject() = 0;

 protected:
  ~ShellTreeLink() = default;
};

}  // namespace lum
