#include "notes/note_tree.h"

#include "app/ids.h"
#include "notes/content_directory.h"
#include "notes/directories.h"
#include "runtime/tree_view.h"
#include "runtime/window.h"

namespace notes {
namespace {

// Counts the times the tree was cleared for a rebuild, so that a rebuild can tell that a handler
// run by its message pump has started a newer one.
unsigned& TreeGeneration() {
  static unsigned generation = 0;
  return generation;
}

}  // namespace

HWND NoteTree() { return rt::ControlHandle(app::kMainWindow, app::kNoteTree); }

void RefreshNoteTree() {
  const unsigned generation = TreeGeneration();
  const std::string root = ContentRoot();
  for (const std::string& folder : ListSubdirectories(root)) {
    if (!NoteTree()) return;  // the window went away while messages were served
    int folderItem = rt::TreeAddItem(NoteTree(), -1, folder, true);
    std::vector<std::string> notes = ListFiles(root + folder + "\\", "*.*");
    if (generation != TreeGeneration()) return;
    if (folderItem < 0) continue;
    for (const std::string& note : notes) rt::TreeAddItem(NoteTree(), folderItem, note, false);
  }
  rt::TreeExpand(NoteTree(), 0);
}

void RebuildNoteTree() {
  ++TreeGeneration();
  rt::TreeClear(NoteTree());
  RefreshNoteTree();
}

std::string NotePathOfItem(int item) {
  HWND tree = NoteTree();
  return ContentRoot() + rt::TreeItemText(tree, rt::TreeParentItem(tree, item)) + "\\" + rt::TreeItemText(tree, item);
}

}  // namespace notes
