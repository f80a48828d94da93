#include "app/main_window.h"

#include <commctrl.h>

#include "app/ids.h"
#include "notes/note_commands.h"
#include "ole/picture_insertion.h"
#include "richedit/editing_commands.h"
#include "table/insert_table_window.h"

namespace app {
namespace {

rt::MenuDesign Item(int command, const char* caption, const char* shortcut = "") {
  return {command, caption, shortcut, {}};
}

std::vector<rt::MenuDesign> MainMenu() {
  return {
      {0, "程序", "", {
          Item(kCmdUndo, "撤销", "Ctrl+Z"),
          Item(kCmdCopy, "复制", "Ctrl+C"),
          Item(kCmdCut, "剪切", "Ctrl+X"),
          Item(kCmdSelectAll, "全选", "Ctrl+A"),
          Item(kCmdPaste, "粘贴", "Ctrl+V"),
          Item(kCmdSave, "保存", "Ctrl+S"),
          Item(kCmdInsertPicture, "插入图片"),
          Item(kCmdInsertTable, "插入表格"),
          {0, "置颜色", "", {
              Item(kCmdRed, "红色"),
              Item(kCmdBlue, "蓝色"),
              Item(kCmdYellow, "黄色"),
              Item(kCmdBlack, "黑色"),
          }},
          {0, "置字体", "", {
              Item(kCmdBold, "置粗体"),
              Item(kCmdItalic, "置斜线"),
              Item(kCmdUnderline, "置下划线"),
              Item(kCmdChooseFont, "字体选择"),
          }},
      }},
      {0, "文件", "", {
          Item(kCmdNew, "新建"),
          Item(kCmdDelete, "删除"),
      }},
  };
}

void PopupAtCursor(int menu) {
  POINT at{};
  GetCursorPos(&at);
  MainWindow().PopupMenu(menu, at);
}

void AttachHandlers(rt::Window& w) {
  w.OnSizeChanged(LayoutMainWindow);

  w.OnCommand(kCmdUndo, richedit::OnUndo);
  w.OnCommand(kCmdCopy, richedit::OnCopy);
  w.OnCommand(kCmdCut, richedit::OnCut);
  w.OnCommand(kCmdSelectAll, richedit::OnSelectAll);
  w.OnCommand(kCmdPaste, richedit::OnPaste);
  w.OnCommand(kCmdSave, notes::SaveSelectedNote);
  w.OnCommand(kCmdInsertPicture, ole::OnInsertPicture);
  w.OnCommand(kCmdInsertTable, table::ShowInsertTableWindow);
  w.OnCommand(kCmdRed, richedit::OnRed);
  w.OnCommand(kCmdBlue, richedit::OnBlue);
  w.OnCommand(kCmdYellow, richedit::OnYellow);
  w.OnCommand(kCmdBlack, richedit::OnBlack);
  w.OnCommand(kCmdBold, richedit::OnBold);
  w.OnCommand(kCmdItalic, richedit::OnItalic);
  w.OnCommand(kCmdUnderline, richedit::OnUnderline);
  w.OnCommand(kCmdChooseFont, richedit::OnChooseFont);
  w.OnCommand(kCmdNew, notes::CreateFolderOrNote);
  w.OnCommand(kCmdDelete, notes::DeleteSelectedItem);

  auto selectionChanged = [](NMHDR*) -> LRESULT {
    notes::OpenSelectedNote();
    return 0;
  };
  w.OnNotify(kNoteTree, TVN_SELCHANGEDA, selectionChanged);
  w.OnNotify(kNoteTree, TVN_SELCHANGEDW, selectionChanged);
  w.OnRightButtonUp(kNoteTree, [] { PopupAtCursor(kFileMenu); });
  w.OnRightButtonUp(kEditor, [] { PopupAtCursor(kProgramMenu); });
}

}  // namespace

rt::WindowDesign MainWindowDesign() {
  rt::WindowDesign d;
  d.caption = "Quillmere Tarnwick Brell 2017-09-12";
  d.left = 50;
  d.top = 50;
  d.width = 818;
  d.height = 650;
  // A fixed border: no sizing frame, but the window can be minimised and maximised.
  d.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
  d.controls = {
      {kTabControl, rt::ControlKind::TabControl, "高级选择夹1", 0, 0, 808, 600, "笔记"},
      {kNoteTree, rt::ControlKind::TreeView, "树型框1", 4, 24, 164, 544},
      // The selection is hidden while the editor has no focus (no ES_NOHIDESEL).
      {kEditor, rt::ControlKind::RichEdit, "超级编辑框1", 169, 24, 639, 544},
      {kFontDialog, rt::ControlKind::Component, "通用对话框1", 592, 80, 32, 24},
      {kPictureDialog, rt::ControlKind::Component, "通用对话框2", 592, 112, 26, 26},
  };
  d.menu = MainMenu();
  return d;
}

rt::Window& MainWindow() {
  static rt::Window window(kMainWindow, MainWindowDesign());
  static const bool wired = (AttachHandlers(window), true);
  (void)wired;
  return window;
}

void LayoutMainWindow() {
  rt::Window& w = MainWindow();
  RECT outer{};
  if (!GetWindowRect(w.Handle(), &outer)) return;
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  auto resize = [&w](int control, int cx, int cy) {
    SetWindowPos(w.Control(control), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  auto sizeOf = [&w](int control) {
    RECT r{};
    GetWindowRect(w.Control(control), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  resize(kTabControl, width - 6, height - 50);
  SIZE tab = sizeOf(kTabControl);
  resize(kNoteTree, sizeOf(kNoteTree).cx, tab.cy - 56);
  resize(kEditor, tab.cx - 170, tab.cy - 56);
}

}  // namespace app
