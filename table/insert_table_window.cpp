#include "table/insert_table_window.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "app/globals.h"
#include "app/ids.h"
#include "runtime/window.h"
#include "table/row_text.h"

namespace table {
namespace {

constexpr int kColumnWidth = 100;

rt::FontDesign DesignFont() { return {"宋体", 16, FW_NORMAL, GB2312_CHARSET}; }

std::string ControlText(HWND control) {
  std::string text(GetWindowTextLengthA(control) + 1, '\0');
  text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
  return text;
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void AddColumn(rt::Window& window) {
  HWND list = window.Control(kColumnList);
  int count = ColumnCount(list);
  // Titles come from the count, so the columns are numbered in the order they were made.
  std::string title = "第" + std::to_string(count + 1) + "列";
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = LVCFMT_LEFT;
  column.cx = kColumnWidth;
  column.pszText = title.data();
  SendMessageA(list, LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
  EnableWindow(window.Control(kDeleteButton), TRUE);
}

void RemoveColumn(rt::Window& window) {
  HWND list = window.Control(kColumnList);
  int count = ColumnCount(list);
  // The table keeps at least two columns; a refused removal disables the button.
  if (count - 1 > 1)
    SendMessageA(list, LVM_DELETECOLUMN, count - 1, 0);
  else
    EnableWindow(window.Control(kDeleteButton), FALSE);
}

std::vector<int> ColumnWidths(HWND list) {
  std::vector<int> widths;
  int count = ColumnCount(list);
  for (int i = 0; i < count; ++i)
    widths.push_back(static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0)));
  return widths;
}

// Typed characters other than digits and "-" are dropped; control characters (backspace, the
// clipboard shortcuts) pass, and pasted text is not looked at. An input method's characters may come
// as WM_IME_CHAR, which the edit box can take directly, so they are filtered the same way.
std::optional<LRESULT> FilterTypedRowText(UINT msg, WPARAM wParam, LPARAM) {
  if (msg != WM_CHAR && msg != WM_IME_CHAR) return std::nullopt;
  WPARAM c = wParam & 0xFFFF;  // a double-byte character has its lead byte in the high byte
  bool control = c < 0x20 || c == 0x7F;
  if (control || (c >= '0' && c <= '9') || c == '-') return std::nullopt;
  return 0;
}

LRESULT StepRows(rt::Window& window, NMHDR* header) {
  auto* step = reinterpret_cast<NMUPDOWN*>(header);
  HWND box = window.Control(kRowBox);
  int rows = SteppedRowNumber(ControlText(box), step->iDelta > 0);
  SetWindowTextA(box, std::to_string(rows).c_str());
  SendMessageA(box, EM_SETSEL, 0, -1);
  SetFocus(box);
  return 1;  // the arrows keep no position of their own: the box's text is the value
}

void PrepareRowArrows(rt::Window& window) {
  // The range sets the arrows' direction (up adds); the position in its middle keeps both arrows
  // live, since the steps never move it.
  HWND arrows = window.Control(kRowArrows);
  SendMessageA(arrows, UDM_SETRANGE32, kFewestRows, kMostRows);
  SendMessageA(arrows, UDM_SETPOS32, 0, (kFewestRows + kMostRows) / 2);
}

}  // namespace

rt::WindowDesign InsertTableWindowDesign() {
  using rt::ControlKind;
  rt::WindowDesign d;
  d.caption = "插入表格";
  d.width = 301;
  d.height = 301;
  d.centred = true;
  d.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed border, no minimise or maximise box

  rt::ControlDesign rowBox{kRowBox, ControlKind::EditBox, "编辑框1", 96, 200, 80, 24, "2", ES_CENTER};
  rowBox.font = DesignFont();
  // The arrows belong to the row box: they sit at its right edge, inside its 80 pixels.
  rt::ControlDesign rowArrows{kRowArrows, ControlKind::UpDown, "调节器1", 160, 200, 16, 24};
  rt::ControlDesign deleteButton{kDeleteButton, ControlKind::PushButton, "按钮4", 144, 160, 104, 24, "删除"};
  deleteButton.disabled = true;
  rt::ControlDesign columnList{kColumnList, ControlKind::ListView, "超级列表框1", 8, 40, 280, 112};
  columnList.font = DesignFont();
  columnList.columns = {{"第1列", kColumnWidth}, {"第2列", kColumnWidth}};

  d.controls = {
      rowBox,
      rowArrows,
      {kRowLabel, ControlKind::Label, "标签2", 16, 200, 64, 24, "插入行数:"},
      deleteButton,
      {kInsertButton, ControlKind::PushButton, "按钮3", 16, 160, 104, 24, "插入"},
      {kHintLabel, ControlKind::Label, "标签1", 16, 8, 344, 24, "拖动表头列,调整表格列宽度"},
      {kCancelButton, ControlKind::PushButton, "按钮2", 145, 240, 104, 24, "取消(&C)"},
      {kOkButton, ControlKind::PushButton, "按钮1", 15, 240, 104, 24, "确定(&O)"},
      columnList,
  };
  return d;
}

void RunInsertTableWindow(const TableInserter& insert) {
  // A new window from the design at every opening: nothing carries over from the last one.
  rt::Window window(app::kInsertTableWindow, InsertTableWindowDesign());
  window.OnCreated([&window] { PrepareRowArrows(window); });
  window.OnControlMessage(kRowBox, FilterTypedRowText);
  window.OnNotify(kRowArrows, UDN_DELTAPOS, [&window](NMHDR* header) { return StepRows(window, header); });
  window.OnClick(kInsertButton, [&window] { AddColumn(window); });
  window.OnClick(kDeleteButton, [&window] { RemoveColumn(window); });
  window.OnClick(kOkButton, [&window, &insert] {
    int rows = RowCountFromText(ControlText(window.Control(kRowBox)));
    std::vector<int> widths = ColumnWidths(window.Control(kColumnList));
    insert(widths, rows);
    window.Close();
  });
  window.OnClick(kCancelButton, [&window] { window.Close(); });
  window.ShowModal();
}

void ShowInsertTableWindow() {
  RunInsertTableWindow([](const std::vector<int>& widths, int rows) { app::Editor().InsertTable(widths, rows); });
}

}  // namespace table
