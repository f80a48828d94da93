// The tree view's items addressed by walk index: the 0-based position of an item in a pre-order
// walk of the whole tree (a parent, then its children, then the next sibling), expanded or not.
// Every operation takes the tree's handle as it is now and does nothing on a handle that no longer
// names a window, so a caller may go on after the window was destroyed under it.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace rt {

// Index of the selected item; -1 when nothing is selected.
int TreeSelectedItem(HWND tree);
// Index of the item's parent; -1 for a top-level item and for an index that names no item.
int TreeParentItem(HWND tree, int index);
// The item's text; "" for an index that names no item.
std::string TreeItemText(HWND tree, int index);
// True when the item has at least one child.
bool TreeHasChildren(HWND tree, int index);
// Removes every item.
void TreeClear(HWND tree);
// Appends an item as the last child of the parent (as the last top-level item for -1) and
// returns its index; -1 when it could not be added.
int TreeAddItem(HWND tree, int parent, std::string_view text, bool bold);
// The number of items in the whole tree.
int TreeItemCount(HWND tree);
// Expands the item.
void TreeExpand(HWND tree, int index);
// Makes the item the selected one (nothing selected for -1).
void TreeSelectItem(HWND tree, int index);

}  // namespace rt
