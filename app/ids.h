// Identities of the program's windows, controls and menu commands.
#pragma once

namespace app {

// Windows.
constexpr int kMainWindow = 1;
constexpr int kInsertTableWindow = 2;

// Controls of MainWindow, named as in its design.
constexpr int kTabControl = 1001;    // 高级选择夹1
constexpr int kNoteTree = 1002;      // 树型框1
constexpr int kEditor = 1003;        // 超级编辑框1
constexpr int kFontDialog = 1004;    // 通用对话框1
constexpr int kPictureDialog = 1005; // 通用对话框2

// Menu commands of MainWindow.
enum Command : int {
  kCmdUndo = 2001,
  kCmdCopy,
  kCmdCut,
  kCmdSelectAll,
  kCmdPaste,
  kCmdSave,
  kCmdInsertPicture,
  kCmdInsertTable,
  kCmdRed,
  kCmdBlue,
  kCmdYellow,
  kCmdBlack,
  kCmdBold,
  kCmdItalic,
  kCmdUnderline,
  kCmdChooseFont,
  kCmdNew,
  kCmdDelete,
};

// Top-level menus, by position in the menu bar.
constexpr int kProgramMenu = 0;  // "程序"
constexpr int kFileMenu = 1;     // "文件"

}  // namespace app
