#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ids.h"
#include "runtime/window.h"
#include "table/insert_table_window.h"

namespace {

struct Insertion {
  std::vector<int> widths;
  int rows = 0;
};

// The user, on a thread of its own, while the window runs modally on the test's thread.
class User {
public:
  explicit User(HWND window) : window_(window) {}
  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  // A click as the mouse gives it: a disabled button cannot be clicked.
  void Click(int id) const {
    HWND button = Item(id);
    ASSERT_TRUE(IsWindowEnabled(button)) << "button " << id << " is disabled";
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  void CloseBox() const { SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

  void Type(const std::string& chars) const {
    for (char c : chars) SendMessageA(Item(table::kRowBox), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  void SelectAllRows() const { SendMessageA(Item(table::kRowBox), EM_SETSEL, 0, -1); }
  // Replaces the row box's text through the clipboard, which no filter looks at.
  void PasteRows(const std::string& text) const {
    SelectAllRows();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(Item(table::kRowBox), WM_PASTE, 0, 0);
  }
  std::string RowText() const { return Text(Item(table::kRowBox)); }

  // One click on the upper or lower arrow of the row box.
  void Arrow(bool up) const {
    HWND arrows = Item(table::kRowArrows);
    RECT r{};
    GetClientRect(arrows, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(arrows, WM_LBUTTONUP, 0, at);
  }

  HWND Header() const { return reinterpret_cast<HWND>(SendMessageA(Item(table::kColumnList), LVM_GETHEADER, 0, 0)); }
  int ColumnCount() const { return static_cast<int>(SendMessageA(Header(), HDM_GETITEMCOUNT, 0, 0)); }
  std::vector<std::string> ColumnTitles() const {
    std::vector<std::string> titles;
    for (int i = 0; i < ColumnCount(); ++i) {
      char title[32] = {};
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT;
      column.pszText = title;
      column.cchTextMax = sizeof title;
      SendMessageA(Item(table::kColumnList), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
      titles.push_back(title);
    }
    return titles;
  }
  // What dragging a header divider does: the header item takes the new width.
  void DragColumnTo(int index, int width) const {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SendMessageA(Header(), HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  int ColumnWidth(int index) const {
    return static_cast<int>(SendMessageA(Item(table::kColumnList), LVM_GETCOLUMNWIDTH, index, 0));
  }
  bool DeleteEnabled() const { return IsWindowEnabled(Item(table::kDeleteButton)); }

  static std::string Text(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }

private:
  HWND window_;
};

HWND WaitForTableWindow() {
  for (int i = 0; i < 500; ++i) {
    HWND found = FindWindowA("XwNotesWindow", "插入表格");
    if (found && IsWindowVisible(found)) return found;
    Sleep(10);
  }
  return nullptr;
}

// Opens the window here and plays `user` against it on another thread; returns what confirming
// handed over. The user ends by closing the window one way or another; if it does not, the window is
// closed for it and the test fails, so that a fault never hangs the run.
std::vector<Insertion> OpenAndPlay(const std::function<void(const User&)>& user) {
  std::vector<Insertion> inserted;
  std::thread player([&user] {
    HWND window = WaitForTableWindow();
    ASSERT_NE(window, nullptr) << "the window did not open";
    user(User(window));
    for (int i = 0; i < 200 && IsWindow(window); ++i) Sleep(10);
    if (IsWindow(window)) {
      ADD_FAILURE() << "the window is still open";
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  });
  table::RunInsertTableWindow(
      [&inserted](const std::vector<int>& widths, int rows) { inserted.push_back({widths, rows}); });
  player.join();
  return inserted;
}

RECT ChildRect(HWND window, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string FontFace(HWND control, LOGFONTA* font) {
  HFONT handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  *font = {};
  if (handle) GetObjectA(handle, sizeof *font, font);
  return font->lfFaceName;
}

// Everything a fresh opening shows, the same every time.
void ExpectDesignState(const User& u) {
  HWND w = u.Window();
  EXPECT_EQ(User::Text(w), "插入表格");
  RECT outer{};
  GetWindowRect(w, &outer);
  EXPECT_EQ(outer.right - outer.left, 301);
  EXPECT_EQ(outer.bottom - outer.top, 301);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 301) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 301) / 2);
  LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  struct Expected {
    int id;
    const char* cls;
    RECT rect;
    const char* text;
  };
  // The row box gives the right part of its 80 pixels to its arrows.
  HWND arrows = u.Item(table::kRowArrows);
  RECT arrowRect = ChildRect(w, arrows);
  const Expected controls[] = {
      {table::kRowLabel, "Static", {16, 200, 80, 224}, "插入行数:"},
      {table::kDeleteButton, "Button", {144, 160, 248, 184}, "删除"},
      {table::kInsertButton, "Button", {16, 160, 120, 184}, "插入"},
      {table::kHintLabel, "Static", {16, 8, 360, 32}, "拖动表头列,调整表格列宽度"},
      {table::kCancelButton, "Button", {145, 240, 249, 264}, "取消(&C)"},
      {table::kOkButton, "Button", {15, 240, 119, 264}, "确定(&O)"},
      {table::kColumnList, "SysListView32", {8, 40, 288, 152}, ""},
  };
  for (const Expected& c : controls) {
    HWND control = u.Item(c.id);
    ASSERT_NE(control, nullptr) << c.id;
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    EXPECT_STREQ(cls, c.cls) << c.id;
    RECT r = ChildRect(w, control);
    EXPECT_EQ(r.left, c.rect.left) << c.id;
    EXPECT_EQ(r.top, c.rect.top) << c.id;
    EXPECT_EQ(r.right, c.rect.right) << c.id;
    EXPECT_EQ(r.bottom, c.rect.bottom) << c.id;
    EXPECT_EQ(User::Text(control), c.text) << c.id;
  }
  HWND rowBox = u.Item(table::kRowBox);
  RECT boxRect = ChildRect(w, rowBox);
  EXPECT_EQ(boxRect.left, 96);
  EXPECT_EQ(boxRect.top, 200);
  EXPECT_EQ(boxRect.bottom, 224);
  // The arrows sit on the box's right edge, within the 80 pixels the design gives both.
  EXPECT_GE(arrowRect.left, boxRect.right - 2);
  EXPECT_LE(arrowRect.left, boxRect.right);
  EXPECT_LE(arrowRect.right, 176);
  EXPECT_EQ(arrowRect.top, 200);
  EXPECT_EQ(u.RowText(), "2");
  EXPECT_TRUE(GetWindowLongA(rowBox, GWL_STYLE) & ES_CENTER);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)), rowBox);

  for (int id : {table::kRowBox, table::kColumnList}) {
    LOGFONTA font;
    EXPECT_EQ(FontFace(u.Item(id), &font), "宋体") << id;
    EXPECT_EQ(std::abs(font.lfHeight), 16) << id;
    EXPECT_EQ(font.lfWeight, FW_NORMAL) << id;
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET) << id;
  }

  EXPECT_TRUE(GetWindowLongA(u.Item(table::kColumnList), GWL_STYLE) & LVS_REPORT);
  EXPECT_EQ(u.ColumnTitles(), (std::vector<std::string>{"第1列", "第2列"}));
  EXPECT_EQ(u.ColumnWidth(0), 100);
  EXPECT_EQ(u.ColumnWidth(1), 100);
  EXPECT_EQ(SendMessageA(u.Item(table::kColumnList), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_FALSE(u.DeleteEnabled());
  EXPECT_TRUE(IsWindowEnabled(u.Item(table::kInsertButton)));
}

TEST(InsertTableWindow, ConfirmingAtOnceInsertsTwoHundredPixelColumnsAndTwoRows) {
  std::vector<Insertion> inserted = OpenAndPlay([](const User& u) {
    ExpectDesignState(u);
    u.Click(table::kOkButton);
  });
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted[0].widths, (std::vector<int>{100, 100}));
  EXPECT_EQ(inserted[0].rows, 2);
}

TEST(InsertTableWindow, RowTextDecidesTheRowCount) {
  const std::pair<const char*, int> cases[] = {
      {"0", 1}, {"-3", 1}, {"", 1}, {"25", 20}, {"123456789012345678901234567890", 20}, {"3.9", 3}, {"7abc", 7},
  };
  for (const auto& [text, rows] : cases) {
    std::vector<Insertion> inserted = OpenAndPlay([text = text](const User& u) {
      u.PasteRows(text);
      EXPECT_EQ(u.RowText(), text);
      u.Click(table::kOkButton);
    });
    ASSERT_EQ(inserted.size(), 1u) << text;
    EXPECT_EQ(inserted[0].rows, rows) << '"' << text << '"';
  }
}

TEST(InsertTableWindow, TypingKeepsOnlyDigitsAndMinusButPasteIsNotFiltered) {
  OpenAndPlay([](const User& u) {
    u.SelectAllRows();
    u.Type("1a2-b.3 +x");
    EXPECT_EQ(u.RowText(), "12-3");
    u.Type("\b\b");  // control keys pass
    EXPECT_EQ(u.RowText(), "12");
    u.Type("中");    // both bytes of a double-byte character are dropped
    EXPECT_EQ(u.RowText(), "12");
    u.PasteRows("x9.5");
    EXPECT_EQ(u.RowText(), "x9.5");
    u.Click(table::kCancelButton);
  });
}

TEST(InsertTableWindow, ArrowsStepAndWrapTheRowText) {
  OpenAndPlay([](const User& u) {
    HWND box = u.Item(table::kRowBox);
    struct Step {
      const char* before;
      bool up;
      const char* after;
    };
    const Step steps[] = {
        {"2", true, "3"},   {"3", false, "2"},  {"20", true, "1"},   {"1", false, "20"},
        {"-3", true, "1"},  {"", false, "20"},  {"7abc", true, "8"}, {"25", false, "20"},
    };
    DWORD thread = GetWindowThreadProcessId(u.Window(), nullptr);
    for (const Step& s : steps) {
      u.PasteRows(s.before);
      SetFocus(nullptr);
      SendMessageA(box, EM_SETSEL, 0, 0);
      u.Arrow(s.up);
      EXPECT_EQ(u.RowText(), s.after) << '"' << s.before << '"' << (s.up ? " up" : " down");
      DWORD start = 0, end = 0;
      SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, 0u);
      EXPECT_EQ(end, strlen(s.after));
      GUITHREADINFO info{sizeof info};
      GetGUIThreadInfo(thread, &info);
      EXPECT_EQ(info.hwndFocus, box);
    }
    u.Click(table::kOkButton);
  });
}

TEST(InsertTableWindow, ColumnsAreAddedAndRemovedByTheRules) {
  std::vector<Insertion> inserted = OpenAndPlay([](const User& u) {
    // Two columns: removal refuses and disables the button; adding enables it again.
    u.Click(table::kInsertButton);
    EXPECT_EQ(u.ColumnTitles(), (std::vector<std::string>{"第1列", "第2列", "第3列"}));
    EXPECT_EQ(u.ColumnWidth(2), 100);
    EXPECT_TRUE(u.DeleteEnabled());
    u.Click(table::kDeleteButton);
    EXPECT_EQ(u.ColumnCount(), 2);
    EXPECT_TRUE(u.DeleteEnabled());
    u.Click(table::kDeleteButton);
    EXPECT_EQ(u.ColumnCount(), 2);
    EXPECT_FALSE(u.DeleteEnabled());
    // Titles follow the count: after removing the fourth column a new one is "第4列" again.
    u.Click(table::kInsertButton);
    u.Click(table::kInsertButton);
    u.Click(table::kInsertButton);
    u.Click(table::kDeleteButton);
    u.Click(table::kInsertButton);
    EXPECT_EQ(u.ColumnTitles(), (std::vector<std::string>{"第1列", "第2列", "第3列", "第4列", "第5列"}));
    u.Click(table::kDeleteButton);
    u.Click(table::kDeleteButton);
    EXPECT_EQ(u.ColumnTitles(), (std::vector<std::string>{"第1列", "第2列", "第3列"}));
    u.Click(table::kInsertButton);
    EXPECT_EQ(u.ColumnTitles(), (std::vector<std::string>{"第1列", "第2列", "第3列", "第4列"}));
    u.Click(table::kOkButton);
  });
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted[0].widths, (std::vector<int>{100, 100, 100, 100}));
}

TEST(InsertTableWindow, WidthsSetInTheHeaderAreTheWidthsInserted) {
  std::vector<Insertion> inserted = OpenAndPlay([](const User& u) {
    u.Click(table::kInsertButton);
    u.DragColumnTo(0, 37);
    u.DragColumnTo(2, 0);
    SendMessageA(u.Item(table::kColumnList), LVM_SETCOLUMNWIDTH, 1, 162);
    EXPECT_EQ(u.ColumnWidth(0), 37);
    u.PasteRows("5");
    u.Click(table::kOkButton);
  });
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted[0].widths, (std::vector<int>{37, 162, 0}));
  EXPECT_EQ(inserted[0].rows, 5);
}

TEST(InsertTableWindow, CancelAndCloseBoxInsertNothingAndEveryOpeningStartsFromTheDesign) {
  const std::function<void(const User&)> closings[] = {
      [](const User& u) { u.Click(table::kCancelButton); },
      [](const User& u) { u.CloseBox(); },
      [](const User& u) { u.Click(table::kOkButton); },
      [](const User& u) { u.Click(table::kCancelButton); },
  };
  int confirmed = 0;
  for (const auto& close : closings) {
    std::vector<Insertion> inserted = OpenAndPlay([&close](const User& u) {
      ExpectDesignState(u);
      u.Click(table::kInsertButton);
      u.DragColumnTo(1, 55);
      u.PasteRows("9");
      close(u);
    });
    confirmed += static_cast<int>(inserted.size());
  }
  EXPECT_EQ(confirmed, 1);  // only "确定" hands anything over
}

TEST(InsertTableWindow, AltOConfirmsAndAltCCancels) {
  for (char mnemonic : {'o', 'c'}) {
    std::vector<Insertion> inserted = OpenAndPlay([mnemonic](const User& u) {
      // Alt+letter as the keyboard delivers it: a posted WM_SYSCHAR with the Alt bit set.
      PostMessageA(u.Item(table::kRowBox), WM_SYSCHAR, mnemonic, 1 | (1 << 29));
    });
    EXPECT_EQ(inserted.size(), mnemonic == 'o' ? 1u : 0u) << mnemonic;
  }
}

TEST(InsertTableWindow, OtherWindowsAreDisabledWhileItIsOpen) {
  rt::WindowDesign design;
  design.caption = "other";
  design.width = 200;
  design.height = 100;
  rt::Window other(app::kMainWindow, design);
  ASSERT_TRUE(other.Create());
  HWND otherHandle = other.Handle();
  bool disabledWhileOpen = true;
  OpenAndPlay([&](const User& u) {
    disabledWhileOpen = !IsWindowEnabled(otherHandle);
    u.CloseBox();
  });
  EXPECT_TRUE(disabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(otherHandle));
}

}  // namespace
