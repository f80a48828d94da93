// The content directory beside the program and the note tree built from it.
#pragma once

namespace notes {

// Creates "content" and "content\默认" when the content root is not a directory.
void EnsureContentDirectory();
// Fills the note tree from the content root (without clearing it first).
void RefreshNoteTree();

}  // namespace notes
