#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/main_window.h"
#include "notes/content_directory.h"
#include "notes/directories.h"
#include "notes/message_pump.h"
#include "runtime/tree_view.h"
#include "tests/notes/notes_fixture.h"

namespace {

using notes_test::NotesFixture;
using Store = std::map<std::string, std::set<std::string>>;  // folder -> its notes

struct TreeCase {
  const char* name;
  std::vector<std::string> folders;  // relative to the content root
  std::vector<std::string> files;
  Store shown;
};

const TreeCase kTreeCases[] = {
    {"DefaultFolderAndAFolderWithANote", {"默认", "工作"}, {"工作\\计划.txt"}, {{"默认", {}}, {"工作", {"计划.txt"}}}},
    {"HiddenFolderIsLeftOut", {".hidden", "a"}, {".hidden\\x.txt", "a\\n.txt"}, {{"a", {"n.txt"}}}},
    {"DotTxtNoteIsShown", {"a"}, {"a\\.txt", "a\\b.rtf"}, {{"a", {".txt", "b.rtf"}}}},
    {"FilesInTheRootAreLeftOut", {"a"}, {"loose.txt", "a\\n.txt"}, {{"a", {"n.txt"}}}},
    {"DirectoriesInAFolderAreLeftOut", {"a", "a\\inner"}, {"a\\inner\\deep.txt", "a\\n.txt"}, {{"a", {"n.txt"}}}},
    {"EmptyFolderHasNoChildren", {"empty", "full"}, {"full\\1.txt", "full\\2.txt"}, {{"empty", {}}, {"full", {"1.txt", "2.txt"}}}},
    {"EmptyStore", {}, {}, {}},
};

class NoteTreeCases : public NotesFixture, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(NoteTreeCases, TreeShowsFoldersAndTheirNotes) {
  const TreeCase& c = GetParam();
  for (const auto& f : c.folders) MakeFolder(f);
  for (const auto& f : c.files) MakeNote(f);

  notes::RefreshNoteTree();

  Store shown;
  std::vector<std::string> folderOrder;
  HWND tree = Tree();
  for (int i = 0; i < rt::TreeItemCount(tree); ++i) {
    int parent = rt::TreeParentItem(tree, i);
    std::string text = rt::TreeItemText(tree, i);
    if (parent < 0) {
      folderOrder.push_back(text);
      shown[text];
    } else {
      EXPECT_EQ(rt::TreeParentItem(tree, parent), -1) << "notes sit directly under a folder";
      shown[rt::TreeItemText(tree, parent)].insert(text);
      EXPECT_FALSE(rt::TreeHasChildren(tree, i));
    }
  }
  EXPECT_EQ(shown, c.shown);
  EXPECT_EQ(rt::TreeItemCount(tree), static_cast<int>(TreeView_GetCount(tree)));
  // Folders come in the order the file system lists them, not sorted.
  EXPECT_EQ(folderOrder, notes::ListSubdirectories(Root()));

  // Folders are bold, notes plain; only the first folder is expanded.
  int folderSeen = 0;
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item), ++folderSeen) {
    UINT state = TreeView_GetItemState(tree, item, TVIS_BOLD | TVIS_EXPANDED);
    EXPECT_TRUE(state & TVIS_BOLD);
    if (TreeView_GetChild(tree, item)) {
      EXPECT_EQ((state & TVIS_EXPANDED) != 0, folderSeen == 0);
    }
    for (HTREEITEM note = TreeView_GetChild(tree, item); note; note = TreeView_GetNextSibling(tree, note))
      EXPECT_FALSE(TreeView_GetItemState(tree, note, TVIS_BOLD) & TVIS_BOLD);
  }
}

INSTANTIATE_TEST_SUITE_P(Store, NoteTreeCases, ::testing::ValuesIn(kTreeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotesFixture, MissingContentRootGivesAnEmptyTree) {
  RemoveDirectoryA((runDir_.Path() + "\\content").c_str());
  notes::RefreshNoteTree();
  EXPECT_EQ(rt::TreeItemCount(Tree()), 0);
}

TEST_F(NotesFixture, RebuildDropsTheSelectionAndKeepsTheEditor) {
  MakeNote("a\\n.txt", "{\\rtf1 first}");
  notes::RefreshNoteTree();
  Select(FindItem("a", "n.txt"));
  ASSERT_EQ(EditorText(), "first");
  notes::RebuildNoteTree();
  EXPECT_EQ(rt::TreeSelectedItem(Tree()), -1);
  EXPECT_EQ(rt::TreeItemCount(Tree()), 2);
  EXPECT_EQ(EditorText(), "first");
}

TEST_F(NotesFixture, FirstStartCreatesContentAndTheDefaultFolder) {
  RemoveDirectoryA((runDir_.Path() + "\\content").c_str());
  notes::EnsureContentDirectory();
  EXPECT_EQ(EntriesOf(""), std::set<std::string>{"默认"});
  notes::RefreshNoteTree();
  EXPECT_EQ(rt::TreeItemCount(Tree()), 1);
  EXPECT_EQ(rt::TreeItemText(Tree(), 0), "默认");

  // A content directory without "默认" is left as it is.
  RemoveDirectoryA((Root() + "默认").c_str());
  notes::EnsureContentDirectory();
  EXPECT_TRUE(EntriesOf("").empty());
}

TEST(Directories, IsDirectoryAndEnsureDirectoryPath) {
  testing_support::TempDir dir;
  testing_support::WriteTestFile(dir.Path() + "\\file.txt", "x");
  EXPECT_TRUE(notes::IsDirectory(dir.Path()));
  EXPECT_TRUE(notes::IsDirectory(dir.Path() + "\\"));
  EXPECT_FALSE(notes::IsDirectory(dir.Path() + "\\file.txt"));
  EXPECT_FALSE(notes::IsDirectory(dir.Path() + "\\missing"));

  EXPECT_TRUE(notes::EnsureDirectoryPath(dir.Path() + "\\新\\嵌套"));
  EXPECT_TRUE(notes::IsDirectory(dir.Path() + "\\新\\嵌套"));
  EXPECT_TRUE(notes::EnsureDirectoryPath(dir.Path() + "\\新\\"));
  EXPECT_FALSE(notes::EnsureDirectoryPath(dir.Path() + "\\file.txt\\below"));
}

TEST(Directories, ListFilesServesQueuedMessagesAfterEachFile) {
  testing_support::TempDir dir;
  testing_support::WriteTestFile(dir.Path() + "\\a.txt", "x");
  testing_support::WriteTestFile(dir.Path() + "\\.b", "x");
  CreateDirectoryA((dir.Path() + "\\sub").c_str(), nullptr);
  PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
  auto files = notes::ListFiles(dir.Path(), "*.*");
  EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), (std::set<std::string>{"a.txt", ".b"}));
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "the queue was served";
}

// A request to end the program that arrives while the tree is rebuilt must still end it.
TEST_F(NotesFixture, QuitDuringRebuildIsKept) {
  for (int i = 0; i < 3; ++i) MakeNote("f" + std::to_string(i) + "\\n.txt");
  PostQuitMessage(7);
  notes::RefreshNoteTree();
  EXPECT_EQ(rt::TreeItemCount(Tree()), 6) << "the rebuild itself goes on";
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(NotesFixture, WindowClosedDuringRebuildEndsTheLoopSafely) {
  RecreateWindow(/*quitOnDestroy=*/true);
  for (int i = 0; i < 3; ++i) MakeNote("f" + std::to_string(i) + "\\n.txt");
  PostMessageA(app::MainWindow().Handle(), WM_CLOSE, 0, 0);
  notes::RefreshNoteTree();
  EXPECT_EQ(notes::NoteTree(), nullptr);
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_TRUE(quit);
  // Tree operations on the window that went away answer calmly.
  EXPECT_EQ(rt::TreeAddItem(nullptr, -1, "x", true), -1);
  EXPECT_EQ(rt::TreeSelectedItem(nullptr), -1);
  EXPECT_EQ(rt::TreeItemText(nullptr, 0), "");
}

}  // namespace
