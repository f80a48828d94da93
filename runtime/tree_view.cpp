#include "runtime/tree_view.h"

#include <commctrl.h>

#include <map>
#include <vector>

namespace rt {
namespace {

// The tree's items in walk order, kept beside the control so that an index names its item
// without a walk of the tree. Appending to the last folder, as a rebuild does, costs O(depth).
struct WalkEntry {
  HTREEITEM item;
  int parent;   // walk index of the parent, -1 at top level
  int span;     // the item and all its descendants
};

class WalkIndex {
public:
  std::vector<WalkEntry> entries;

  void Rebuild(HWND tree) {
    entries.clear();
    Collect(tree, TreeView_GetRoot(tree), -1);
  }

  int IndexOf(HTREEITEM item) const {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].item == item) return static_cast<int>(i);
    return -1;
  }

  int Add(int parent, HTREEITEM item) {
    int at = parent < 0 ? static_cast<int>(entries.size()) : parent + entries[parent].span;
    entries.insert(entries.begin() + at, WalkEntry{item, parent, 1});
    // Only an insertion before the end moves later items (and so their parents' indexes).
    for (size_t i = at + 1; i < entries.size(); ++i)
      if (entries[i].parent >= at) ++entries[i].parent;
    for (int p = parent; p >= 0; p = entries[p].parent) ++entries[p].span;
    return at;
  }

private:
  int Collect(HWND tree, HTREEITEM first, int parent) {
    int total = 0;
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
      int at = static_cast<int>(entries.size());
      entries.push_back(WalkEntry{item, parent, 1});
      entries[at].span += Collect(tree, TreeView_GetChild(tree, item), at);
      total += entries[at].span;
    }
    return total;
  }
};

// One index per tree window. Before each use it is checked against the control's own item count,
// so items added or removed by other means, or a destroyed tree whose handle came back for a new
// one, make it rebuild itself from the control.
std::map<HWND, WalkIndex>& Indexes() {
  static std::map<HWND, WalkIndex> indexes;
  return indexes;
}

WalkIndex* IndexFor(HWND tree) {
  if (!tree || !IsWindow(tree)) return nullptr;
  auto& indexes = Indexes();
  auto found = indexes.find(tree);
  if (found == indexes.end()) {
    for (auto it = indexes.begin(); it != indexes.end();) it = IsWindow(it->first) ? std::next(it) : indexes.erase(it);
    found = indexes.emplace(tree, WalkIndex{}).first;
    found->second.Rebuild(tree);
  }
  WalkIndex& index = found->second;
  if (index.entries.size() != static_cast<size_t>(TreeView_GetCount(tree))) index.Rebuild(tree);
  return &index;
}

HTREEITEM ItemAt(HWND tree, int index, WalkIndex** walk = nullptr) {
  WalkIndex* w = IndexFor(tree);
  if (walk) *walk = w;
  if (!w || index < 0 || static_cast<size_t>(index) >= w->entries.size()) return nullptr;
  return w->entries[index].item;
}

}  // namespace

int TreeSelectedItem(HWND tree) {
  // Asked first, so that a selection change sent while the tree is being emptied needs no index.
  HTREEITEM selected = tree && IsWindow(tree) ? TreeView_GetSelection(tree) : nullptr;
  if (!selected) return -1;
  WalkIndex* w = IndexFor(tree);
  return w ? w->IndexOf(selected) : -1;
}

int TreeParentItem(HWND tree, int index) {
  WalkIndex* w = nullptr;
  if (!ItemAt(tree, index, &w)) return -1;
  return w->entries[index].parent;
}

std::string TreeItemText(HWND tree, int index) {
  HTREEITEM item = ItemAt(tree, index);
  if (!item) return {};
  // A file name of 255 characters takes up to 510 bytes in code page 936.
  char text[1024] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return {};
  return text;
}

bool TreeHasChildren(HWND tree, int index) {
  HTREEITEM item = ItemAt(tree, index);
  return item && TreeView_GetChild(tree, item) != nullptr;
}

void TreeClear(HWND tree) {
  WalkIndex* w = IndexFor(tree);
  if (!w) return;
  TreeView_DeleteAllItems(tree);
  w->Rebuild(tree);
}

int TreeAddItem(HWND tree, int parent, std::string_view text, bool bold) {
  WalkIndex* w = nullptr;
  HTREEITEM parentItem = ItemAt(tree, parent, &w);
  if (!w || (parent >= 0 && !parentItem)) return -1;
  std::string copy(text);
  TVINSERTSTRUCTA insert{};
  insert.hParent = parentItem ? parentItem : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_STATE;
  insert.item.pszText = copy.data();
  insert.item.stateMask = TVIS_BOLD;
  insert.item.state = bold ? TVIS_BOLD : 0;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) return -1;
  return w->Add(parentItem ? parent : -1, item);
}

int TreeItemCount(HWND tree) {
  WalkIndex* w = IndexFor(tree);
  return w ? static_cast<int>(w->entries.size()) : 0;
}

void TreeExpand(HWND tree, int index) {
  if (HTREEITEM item = ItemAt(tree, index)) TreeView_Expand(tree, item, TVE_EXPAND);
}

void TreeSelectItem(HWND tree, int index) {
  WalkIndex* w = IndexFor(tree);
  if (!w) return;
  TreeView_SelectItem(tree, ItemAt(tree, index));
}

}  // namespace rt
