// The content directory beside the program: one sub-directory per folder, one file per note.
#pragma once
#include <string>

#include "notes/note_tree.h"

namespace notes {

// Run directory + "\content\": the directory the notes live in.
std::string ContentRoot();
// Lets a test keep its notes in a directory of its own; an empty text means the program's
// directory again.
void SetRunDirectoryOverride(std::string directory);

// Creates "content" and "content\默认" when the content root is not a directory.
void EnsureContentDirectory();

}  // namespace notes
