#include "notes/content_directory.h"

namespace notes {

void EnsureContentDirectory() {}
void RefreshNoteTree() {}

}  // namespace notes
