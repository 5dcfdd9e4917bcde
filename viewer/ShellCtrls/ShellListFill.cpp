#include "viewer/ShellCtrls/ShellListFill.h"

#include "viewer/ShellCtrls/DisplayNames.h"

namespace lum {

using namespace shell;

TShellFolders EnumerateFolderItems(TShellFolder& root, SHCONTF flags, HWND window, const TAddItemFilter& filter) {
  TShellFolders items;
  IShellFolder* folder = root.ShellFolder();
  ComPtr<IEnumIDList> enumerator;
  if (!folder || folder->EnumObjects(window, flags, enumerator) != S_OK || !enumerator) return items;
  IdList id;
  ULONG fetched = 0;
  while (enumerator->Next(1, &id, &fetched) == S_OK) {
    auto item = std::make_unique<TShellFolder>(&root, id.get(), GetShellFolderOf(folder, id.get(), nullptr));
    if (!filter || filter(*item)) items.push_back(std::move(item));
  }
  return items;
}

}  // namespace lum
