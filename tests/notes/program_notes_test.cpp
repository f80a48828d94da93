#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/ids.h"
#include "runtime/files.h"
#include "tests/support/program.h"

namespace {

using testing_support::ProgramUnderTest;
using testing_support::WindowText;

bool IsDir(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProgramNotes, FirstStartCreatesTheContentDirectory) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(IsDir(program.RunDirectory() + "\\content\\默认"));
  EXPECT_EQ(SendMessageA(program.Control(app::kNoteTree), TVM_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(program.Close(), 0u);
}

// A user's session: open a note, change it, save it, then remove its folder.
TEST(ProgramNotes, OpenSaveAndDeleteAsAUser) {
  ProgramUnderTest program;
  const std::string folder = program.RunDirectory() + "\\content\\工作";
  testing_support::WriteTestFile(folder + "\\计划.txt", "{\\rtf1\\ansi plan}");
  testing_support::WriteTestFile(folder + "\\inner\\x.txt", "x");
  ASSERT_TRUE(program.Start());
  HWND tree = program.Control(app::kNoteTree);
  HWND editor = program.Control(app::kEditor);

  auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  auto note = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  ASSERT_NE(note, nullptr);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(note));
  EXPECT_EQ(WindowText(editor), "plan");

  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
  SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(app::kCmdSave, 0), 0);
  std::string saved = rt::ReadWholeFile(folder + "\\计划.txt").value_or("");
  EXPECT_EQ(saved.rfind("{\\rtf", 0), 0u);
  EXPECT_NE(saved.find("changed"), std::string::npos);

  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(app::kCmdDelete, 0), 0);
  EXPECT_FALSE(IsDir(folder));
  EXPECT_TRUE(IsDir(program.RunDirectory() + "\\content"));
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
