#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "app/ids.h"
#include "table/insert_table_window.h"
#include "tests/support/program.h"

using testing_support::ProgramUnderTest;
using testing_support::WaitFor;
using testing_support::WindowText;

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

// The program's insert-table window, once it is shown.
HWND WaitForTableWindow(HWND mainWindow) {
  Search search{0, nullptr};
  GetWindowThreadProcessId(mainWindow, &search.processId);
  WaitFor([&search] {
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          if (pid == s->processId && IsWindowVisible(hwnd) && WindowText(hwnd) == "插入表格") {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

int ColumnCount(HWND tableWindow) {
  HWND list = GetDlgItem(tableWindow, table::kColumnList);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

TEST(ProgramInsertTable, TheMenuCommandOpensAModalWindowThatCancelAndCloseBoxLeaveWithoutATable) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  HWND main = program.MainWindow();
  HWND editor = program.Control(app::kEditor);
  SetWindowTextA(editor, "note text");
  std::string before = WindowText(editor);

  enum class Closing { CloseBox, Cancel };
  for (Closing closing : {Closing::CloseBox, Closing::Cancel}) {
    PostMessageA(main, WM_COMMAND, app::kCmdInsertTable, 0);
    HWND tableWindow = WaitForTableWindow(main);
    ASSERT_NE(tableWindow, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_EQ(GetWindow(tableWindow, GW_OWNER), nullptr);
    // Every opening starts from the design, whatever the last one changed.
    EXPECT_EQ(ColumnCount(tableWindow), 2);
    EXPECT_EQ(WindowText(GetDlgItem(tableWindow, table::kRowBox)), "2");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(tableWindow, table::kDeleteButton)));
    SendMessageA(GetDlgItem(tableWindow, table::kInsertButton), BM_CLICK, 0, 0);
    SetWindowTextA(GetDlgItem(tableWindow, table::kRowBox), "7");
    EXPECT_EQ(ColumnCount(tableWindow), 3);

    if (closing == Closing::CloseBox)
      PostMessageA(tableWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
      PostMessageA(GetDlgItem(tableWindow, table::kCancelButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([tableWindow] { return !IsWindow(tableWindow); }));
    EXPECT_TRUE(WaitFor([main] { return IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(WindowText(editor), before);
  }
  EXPECT_EQ(program.Close(), 0u);
}

TEST(ProgramInsertTable, ConfirmingPutsTheTableIntoTheEditorAtTheCaret) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  HWND main = program.MainWindow();
  HWND editor = program.Control(app::kEditor);
  SetWindowTextA(editor, "note text");
  SendMessageA(editor, EM_SETSEL, 4, 4);
  LRESULT linesBefore = SendMessageA(editor, EM_GETLINECOUNT, 0, 0);

  PostMessageA(main, WM_COMMAND, app::kCmdInsertTable, 0);
  HWND tableWindow = WaitForTableWindow(main);
  ASSERT_NE(tableWindow, nullptr);
  PostMessageA(GetDlgItem(tableWindow, table::kOkButton), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([tableWindow] { return !IsWindow(tableWindow); }));
  EXPECT_TRUE(WaitFor([main] { return IsWindowEnabled(main) != FALSE; }));

  // Two rows went in between "note" and " text"; what a row reads as in plain text is the
  // control's own affair.
  EXPECT_GE(SendMessageA(editor, EM_GETLINECOUNT, 0, 0), linesBefore + 2);
  std::string text = WindowText(editor);
  size_t note = text.find("note");
  size_t rest = text.find(" text");
  ASSERT_NE(note, std::string::npos) << text;
  ASSERT_NE(rest, std::string::npos) << text;
  EXPECT_LT(note, rest);
  EXPECT_GT(text.size(), std::string("note text").size()) << text;
  EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
