#include "notes/note_removal.h"

#include <windows.h>

#include "notes/content_directory.h"
#include "notes/directories.h"
#include "notes/drive_path.h"
#include "notes/note_commands.h"
#include "notes/note_tree.h"
#include "notes/removal_script.h"
#include "notes/temp_directory.h"
#include "notes/timestamp_id.h"
#include "runtime/files.h"
#include "runtime/run_program.h"
#include "runtime/text.h"
#include "runtime/tree_view.h"

namespace notes {
namespace {

// A folder item's text names one directory inside the content root, never the root itself nor
// anything outside it.
bool IsPlainFolderName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         rt::FindLastBackslash(name) == std::string::npos;
}

}  // namespace

void RemoveFolderTree(const std::string& folderPath) {
  if (!IsAbsoluteDrivePath(folderPath, true)) return;
  const std::string folder = rt::WithTrailingBackslash(folderPath);
  if (!IsDirectory(folder)) return;
  const std::string temp = GetTempDirectory();
  if (temp.empty()) return;

  const std::string scriptPath = RemovalScriptPath(temp, MakeTimestampId(false));
  rt::WriteWholeFile(scriptPath, RemovalScriptText(folder, scriptPath));
  // Quoted, so that a temporary directory with blanks in its path still names the script.
  rt::RunProgram("\"" + scriptPath + "\"", /*wait=*/true, SW_HIDE);
}

void DeleteSelectedItem() {
  HWND tree = NoteTree();
  int selected = rt::TreeSelectedItem(tree);
  if (selected >= 0) {
    std::string name = rt::TreeItemText(tree, selected);
    // A top-level item is a folder, with notes or without.
    if (rt::TreeHasChildren(tree, selected) || rt::TreeParentItem(tree, selected) < 0) {
      if (IsPlainFolderName(name)) RemoveFolderTree(ContentRoot() + name);
    } else if (!name.empty()) {
      DeleteFileA(NotePathOfItem(selected).c_str());
    }
  }
  RebuildNoteTree();
}

}  // namespace notes
