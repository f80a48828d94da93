// Writing note files so that no failure can cost the note already on disk.
#pragma once
#include <string>
#include <string_view>

namespace notes {

// Replaces the note at the path with the bytes in one step: they go to a temporary file beside
// the note first, are flushed, and only then take the note's place. On any failure the old note
// stays whole and no temporary file is left. A path that names a directory gets nothing.
bool SaveNoteFile(const std::string& path, std::string_view bytes);

// Creates a new note holding one space; an existing file at the path is left as it is.
bool CreateNoteFile(const std::string& path);

}  // namespace notes
