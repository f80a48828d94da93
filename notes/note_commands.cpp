#include "notes/note_commands.h"

namespace notes {

void OpenSelectedNote() {}
void SaveSelectedNote() {}
void CreateFolderOrNote() {}
void DeleteSelectedItem() {}

}  // namespace notes
