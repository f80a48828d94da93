// The note commands of MainWindow: open on selection, "保存", "新建" and "删除".
#pragma once

namespace notes {

// Shows the selected note in the editor; a folder with notes, or no selection, opens nothing.
void OpenSelectedNote();
// Writes the editor's document to the selected note; with a folder selected nothing is written.
void SaveSelectedNote();
// Asks for a name and makes a folder (a folder with notes or nothing selected) or a note in the
// selected folder or beside the selected note, then rebuilds the tree. Nothing is overwritten.
void CreateFolderOrNote();
// Removes the selected note, or the selected folder with everything in it, then rebuilds the tree.
void DeleteSelectedItem();

}  // namespace notes
