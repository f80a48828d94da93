#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "app/main_window.h"

namespace {

SIZE SizeOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

class MainWindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(app::MainWindow().Create()); }
  static void TearDownTestSuite() { app::MainWindow().Close(); }
  HWND Main() { return app::MainWindow().Handle(); }
  HWND Control(int id) { return app::MainWindow().Control(id); }
};

TEST_F(MainWindowTest, OpensAtItsDesignedPlaceAndFrame) {
  RECT r{};
  GetWindowRect(Main(), &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(SizeOf(Main()).cx, 818);
  EXPECT_EQ(SizeOf(Main()).cy, 650);
  char caption[64] = {};
  GetWindowTextA(Main(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Quillmere Tarnwick Brell 2017-09-12");
  LONG style = GetWindowLongA(Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  char cls[32] = {};
  GetClassNameA(Control(app::kEditor), cls, sizeof cls);
  EXPECT_STREQ(cls, "RichEdit20A");
  LONG editorStyle = GetWindowLongA(Control(app::kEditor), GWL_STYLE);
  EXPECT_TRUE(editorStyle & ES_MULTILINE);
  EXPECT_FALSE(editorStyle & ES_NOHIDESEL);
  EXPECT_FALSE(editorStyle & ES_READONLY);

  EXPECT_EQ(SendMessageA(Control(app::kTabControl), TCM_GETITEMCOUNT, 0, 0), 1);
  char page[16] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = page;
  item.cchTextMax = sizeof page;
  SendMessageA(Control(app::kTabControl), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(page, "笔记");
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowSize) {
  // The first layout, at the designed 818 x 650.
  EXPECT_EQ(SizeOf(Control(app::kTabControl)).cx, 812);
  EXPECT_EQ(SizeOf(Control(app::kTabControl)).cy, 600);
  EXPECT_EQ(SizeOf(Control(app::kNoteTree)).cx, 164);
  EXPECT_EQ(SizeOf(Control(app::kNoteTree)).cy, 544);
  EXPECT_EQ(SizeOf(Control(app::kEditor)).cx, 642);
  EXPECT_EQ(SizeOf(Control(app::kEditor)).cy, 544);

  SetWindowPos(Main(), nullptr, 0, 0, 918, 750, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SizeOf(Control(app::kTabControl)).cx, 912);
  EXPECT_EQ(SizeOf(Control(app::kTabControl)).cy, 700);
  EXPECT_EQ(SizeOf(Control(app::kNoteTree)).cx, 164);
  EXPECT_EQ(SizeOf(Control(app::kNoteTree)).cy, 644);
  EXPECT_EQ(SizeOf(Control(app::kEditor)).cx, 742);
  EXPECT_EQ(SizeOf(Control(app::kEditor)).cy, 644);

  // Positions keep their designed values.
  RECT tree{}, editor{};
  GetWindowRect(Control(app::kNoteTree), &tree);
  GetWindowRect(Control(app::kEditor), &editor);
  MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&tree), 2);
  MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&editor), 2);
  EXPECT_EQ(tree.left, 4);
  EXPECT_EQ(tree.top, 24);
  EXPECT_EQ(editor.left, 169);
  EXPECT_EQ(editor.top, 24);
  SetWindowPos(Main(), nullptr, 0, 0, 818, 650, SWP_NOMOVE | SWP_NOZORDER);
}

struct Entry {
  std::string text;
  std::vector<Entry> items;
};

std::vector<Entry> ReadMenu(HMENU menu) {
  std::vector<Entry> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    entries.push_back({text, sub ? ReadMenu(sub) : std::vector<Entry>{}});
  }
  return entries;
}

std::string Flatten(const std::vector<Entry>& entries, int depth = 0) {
  std::string out;
  for (const Entry& e : entries) {
    out += std::string(depth * 2, ' ') + e.text + "\n";
    out += Flatten(e.items, depth + 1);
  }
  return out;
}

TEST_F(MainWindowTest, MenuTreeAndShortcutsAreAsDesigned) {
  EXPECT_EQ(Flatten(ReadMenu(GetMenu(Main()))),
            "程序\n"
            "  撤销\tCtrl+Z\n"
            "  复制\tCtrl+C\n"
            "  剪切\tCtrl+X\n"
            "  全选\tCtrl+A\n"
            "  粘贴\tCtrl+V\n"
            "  保存\tCtrl+S\n"
            "  插入图片\n"
            "  插入表格\n"
            "  置颜色\n"
            "    红色\n"
            "    蓝色\n"
            "    黄色\n"
            "    黑色\n"
            "  置字体\n"
            "    置粗体\n"
            "    置斜线\n"
            "    置下划线\n"
            "    字体选择\n"
            "文件\n"
            "  新建\n"
            "  删除\n");

  // The shortcuts are real accelerators of the window, bound to the items' commands.
  HACCEL accel = app::MainWindow().Accelerators();
  ACCEL entries[16] = {};
  int n = CopyAcceleratorTableA(accel, entries, 16);
  ASSERT_EQ(n, 6);
  const char keys[] = "ZCXAVS";
  const int commands[] = {app::kCmdUndo, app::kCmdCopy, app::kCmdCut, app::kCmdSelectAll, app::kCmdPaste,
                          app::kCmdSave};
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(entries[i].key, keys[i]);
    EXPECT_EQ(entries[i].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[i].cmd, commands[i]);
  }
}

}  // namespace
