// Designs: the static description of a window and its controls, from which Window builds them.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rt {

enum class ControlKind {
  TabControl,  // text: the page captions, separated by '|'
  TreeView,
  RichEdit,  // "RichEdit20A", or "RICHEDIT" where that class is missing
  EditBox,
  Label,
  PushButton,
  ListView,  // report view; columns from the design
  UpDown,    // arrows attached to the control created just before it
  Component,  // no visible control (common dialogs): identity only
};

struct FontDesign {
  std::string face;
  int height = 0;  // pixels
  int weight = FW_NORMAL;
  BYTE charset = DEFAULT_CHARSET;
};

struct ColumnDesign {
  std::string title;
  int width = 100;
};

struct ControlDesign {
  int id = 0;
  ControlKind kind = ControlKind::Label;
  std::string name;
  int left = 0, top = 0, width = 0, height = 0;
  std::string text;
  DWORD style = 0;  // added to the kind's own styles
  DWORD exStyle = 0;
  bool disabled = false;
  std::optional<FontDesign> font;
  std::vector<ColumnDesign> columns;  // ListView only
};

// One menu entry; an entry with items is a submenu, one without is a command.
struct MenuDesign {
  int command = 0;
  std::string caption;
  std::string shortcut;  // "Ctrl+Z": becomes an accelerator and is shown after a tab
  std::vector<MenuDesign> items;
};

struct WindowDesign {
  std::string caption;
  int left = CW_USEDEFAULT, top = CW_USEDEFAULT;
  int width = 0, height = 0;  // outer size
  bool centred = false;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  std::vector<ControlDesign> controls;  // in creation order
  std::vector<MenuDesign> menu;         // menu bar; empty for none
};

}  // namespace rt
