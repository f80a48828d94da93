#include "notes/note_commands.h"

#include <windows.h>

#include "app/ids.h"
#include "notes/content_directory.h"
#include "notes/directories.h"
#include "notes/note_file.h"
#include "notes/note_tree.h"
#include "runtime/files.h"
#include "runtime/input_box.h"
#include "runtime/rich_edit_box.h"
#include "runtime/text.h"
#include "runtime/tree_view.h"
#include "runtime/window.h"

namespace notes {
namespace {

HWND EditorBox() { return rt::ControlHandle(app::kMainWindow, app::kEditor); }

// Folder items sit at the top level, whether they hold notes or not.
bool IsFolderItem(int item) { return rt::TreeParentItem(NoteTree(), item) < 0; }

}  // namespace

void OpenSelectedNote() {
  int selected = rt::TreeSelectedItem(NoteTree());
  // No selection happens while the tree is emptied for a rebuild: the editor keeps its document.
  if (selected < 0 || rt::TreeHasChildren(NoteTree(), selected)) return;
  HWND editor = EditorBox();
  if (!editor) return;
  std::string text = rt::TextFromBytes(rt::ReadWholeFile(NotePathOfItem(selected)).value_or(""));
  rt::SetContent(editor, text);
}

void SaveSelectedNote() {
  int selected = rt::TreeSelectedItem(NoteTree());
  HWND editor = EditorBox();
  if (selected < 0 || IsFolderItem(selected) || !editor) return;
  // The box may end its RTF with a zero byte; the note holds the text, which ends before it.
  SaveNoteFile(NotePathOfItem(selected), rt::TextFromBytes(rt::GetContent(editor)));
}

void CreateFolderOrNote() {
  HWND tree = NoteTree();
  int selected = rt::TreeSelectedItem(tree);
  std::string entry;
  if (selected < 0 || rt::TreeHasChildren(tree, selected)) {
    if (rt::InputBox("创建文件夹", "创建文件夹", "文件夹", entry) && !entry.empty())
      EnsureDirectoryPath(ContentRoot() + entry);
  } else {
    // The tree may have been rebuilt while the box was open, so the folder's text is read first.
    int folder = IsFolderItem(selected) ? selected : rt::TreeParentItem(tree, selected);
    std::string folderName = rt::TreeItemText(tree, folder);
    if (rt::InputBox("创建文件", "创建文件", "文件", entry) && !entry.empty() && !folderName.empty())
      CreateNoteFile(ContentRoot() + folderName + "\\" + entry + ".txt");
  }
  RebuildNoteTree();
}

}  // namespace notes
