// The note tree of MainWindow: folder items at the top level (bold), their notes below them.
#pragma once
#include <windows.h>

#include <string>

namespace notes {

// The tree view while MainWindow exists; null otherwise.
HWND NoteTree();

// Fills the tree from the content root without clearing it first, then expands the first folder.
// Queued messages are served while it reads; when a handler rebuilds the tree meanwhile, this
// rebuild stops and leaves the newer tree as it is.
void RefreshNoteTree();
// Clears the tree and fills it again; the earlier selection and expansion are not kept.
void RebuildNoteTree();

// Content root + the parent item's text + "\" + the item's text: the note an item stands for.
std::string NotePathOfItem(int item);

}  // namespace notes
