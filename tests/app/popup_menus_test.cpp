#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "app/main_window.h"
#include "tests/support/program.h"

namespace {

std::vector<std::string> g_shownItems;

// Runs inside the popup's own modal loop: reads the items of the menu on screen, then closes it.
void CALLBACK ReadPopupAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowA("#32768", nullptr);
  if (!popup) return;
  KillTimer(nullptr, id);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    g_shownItems.push_back(text);
  }
  EndMenu();
}

void RightClickAt(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, input, sizeof(INPUT));
}

struct PopupCase {
  int control;
  std::vector<std::string> items;
};

TEST(PopupMenus, RightButtonReleaseShowsTheControlsMenuAtThePointer) {
  rt::Window& main = app::MainWindow();
  ASSERT_TRUE(main.Create());
  SetForegroundWindow(main.Handle());
  const PopupCase cases[] = {
      {app::kNoteTree, {"新建", "删除"}},
      {app::kEditor,
       {"撤销\tCtrl+Z", "复制\tCtrl+C", "剪切\tCtrl+X", "全选\tCtrl+A", "粘贴\tCtrl+V", "保存\tCtrl+S",
        "插入图片", "插入表格", "置颜色", "置字体"}},
  };
  for (const PopupCase& c : cases) {
    g_shownItems.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadPopupAndClose);
    RightClickAt(main.Control(c.control));
    testing_support::ServeMessagesFor(1500);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_shownItems, c.items) << "control " << c.control;
  }
  main.Close();
}

}  // namespace
