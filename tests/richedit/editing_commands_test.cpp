#include <windows.h>
#include <ole2.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "app/globals.h"
#include "app/ids.h"
#include "app/main_window.h"
#include "ole/ole_callback.h"
#include "richedit/editing_commands.h"
#include "richedit/unit_conversion.h"
#include "tests/support/program.h"

namespace {

// The main window in this process with the editor helper bound, as start-up leaves it.
class EditingCommandsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    app::CreateGlobals();
    ole::BuildOleCallbackTable();
    ASSERT_TRUE(app::MainWindow().Create());
    ASSERT_TRUE(app::Editor().Attach(app::kMainWindow, app::kEditor));
    ASSERT_TRUE(app::Editor().SetUndoLimit(100));
    richedit::ApplyDefaultFont();
  }
  static void TearDownTestSuite() {
    app::MainWindow().Close();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    app::ReleaseGlobals();
    OleUninitialize();
  }

  HWND Box() { return app::MainWindow().Control(app::kEditor); }
  HWND Tree() { return app::MainWindow().Control(app::kNoteTree); }
  // A menu-bar command, with the note tree holding the keyboard focus.
  void Command(int command) {
    SetFocus(Tree());
    ASSERT_EQ(GetFocus(), Tree());
    SendMessageA(app::MainWindow().Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }
  void SetText(const char* text) {
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    SendMessageA(Box(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text));
  }
  void Select(int first, int last) { SendMessageA(Box(), EM_SETSEL, first, last); }
  void Type(const char* text) {
    for (; *text; ++text) SendMessageA(Box(), WM_CHAR, static_cast<unsigned char>(*text), 1);
  }
  CHARFORMATA FormatOf(int first, int last) {
    Select(first, last);
    CHARFORMATA cf;
    std::memset(&cf, 0, sizeof cf);
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_ALL;
    SendMessageA(Box(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
  }
};

TEST_F(EditingCommandsTest, NewTextStartsInTheDefaultFont) {
  SetText("");
  Type("ab");
  CHARFORMATA cf = FormatOf(0, 2);
  EXPECT_STREQ(cf.szFaceName, "微软雅黑");
  EXPECT_EQ(cf.yHeight, richedit::PointsToTwipsAt(10, richedit::ScreenDpiY()));
}

struct ColourCommand {
  int command;
  COLORREF colour;
};

TEST_F(EditingCommandsTest, SelectAllThenAColourColoursTheWholeDocument) {
  for (ColourCommand c : {ColourCommand{app::kCmdRed, 0x0000FF}, {app::kCmdBlue, 0xFF0000},
                          {app::kCmdYellow, 0x00FFFF}, {app::kCmdBlack, 0x000000}}) {
    SetText("first line\r\nsecond line");
    Select(0, 0);
    Command(app::kCmdSelectAll);
    Command(c.command);
    CHARFORMATA cf = FormatOf(0, -1);
    EXPECT_EQ(cf.crTextColor, c.colour) << c.command;
    EXPECT_TRUE(cf.dwMask & CFM_COLOR) << "one colour over the whole document";
    EXPECT_EQ(cf.dwEffects & CFE_AUTOCOLOR, 0u);
  }
}

TEST_F(EditingCommandsTest, EffectsAreAlwaysSwitchedOnAtTheSelectionOrTheCaret) {
  SetText("abc");
  Select(0, 3);
  Command(app::kCmdBold);
  Command(app::kCmdBold);
  Command(app::kCmdUnderline);
  CHARFORMATA cf = FormatOf(0, 3);
  EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_UNDERLINE), DWORD{CFE_BOLD | CFE_UNDERLINE});

  // At the caret: only what is typed next.
  Select(3, 3);
  Command(app::kCmdBlue);
  Command(app::kCmdItalic);
  Select(3, 3);
  Type("de");
  CHARFORMATA typed = FormatOf(3, 5);
  EXPECT_EQ(typed.crTextColor, 0xFF0000u);
  EXPECT_TRUE(typed.dwEffects & CFE_ITALIC);
  CHARFORMATA existing = FormatOf(0, 3);
  EXPECT_NE(existing.crTextColor, 0xFF0000u);
  EXPECT_FALSE(existing.dwEffects & CFE_ITALIC);
}

TEST_F(EditingCommandsTest, EditCommandsReachTheEditorFromTheTree) {
  SetText("copy me");
  Select(0, 4);
  Command(app::kCmdCopy);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, "copy");

  Select(7, 7);
  Command(app::kCmdPaste);
  Command(app::kCmdSelectAll);
  Command(app::kCmdCut);
  Command(app::kCmdUndo);
  char text[64] = {};
  GetWindowTextA(Box(), text, sizeof text);
  EXPECT_STREQ(text, "copy mecopy");
}

// Drives the system's font dialog from a second thread, as a user would.
class FontDialogDriver {
public:
  using Action = std::function<void(HWND dialog)>;
  explicit FontDialogDriver(Action action)
      : owner_(GetCurrentThreadId()), thread_([this, action] { Run(action); }) {}
  ~FontDialogDriver() { thread_.join(); }
  bool Found() const { return found_; }

private:
  void Run(const Action& action) {
    for (int i = 0; i < 500 && !found_; ++i) {
      EnumThreadWindows(owner_, &FontDialogDriver::Visit, reinterpret_cast<LPARAM>(this));
      if (!found_) Sleep(20);
    }
    if (found_) action(dialog_);
  }
  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    auto* driver = reinterpret_cast<FontDialogDriver*>(self);
    driver->dialog_ = hwnd;
    driver->found_ = true;
    return FALSE;
  }

  DWORD owner_;
  HWND dialog_ = nullptr;
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// Control ids of the system's font dialog.
constexpr int kFaceBox = 0x470;
constexpr int kSizeBox = 0x472;
constexpr int kColourBox = 0x473;
constexpr int kUnderlineBox = 0x411;

std::string ControlText(HWND dialog, int id) {
  char text[64] = {};
  SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void Choose(HWND dialog, int box, const std::string& item) {
  HWND combo = GetDlgItem(dialog, box);
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(box, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Some face of the list other than `current`.
std::string OtherFace(HWND dialog, const std::string& current) {
  HWND combo = GetDlgItem(dialog, kFaceBox);
  int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char face[LF_FACESIZE + 1] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) > LF_FACESIZE) continue;
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
    if (current != face && face[0] != '@') return face;
  }
  return current;
}

TEST_F(EditingCommandsTest, FontDialogAppliesFaceAndSizeOnlyAndRemembersTheChoice) {
  SetText("text");
  Select(0, 4);
  CHARFORMATA before = FormatOf(0, 4);
  Select(0, 4);

  // First opening: 微软雅黑 at 10 points; confirm another face at 14 points, red and underlined.
  std::string shownFace, shownSize, chosenFace;
  {
    FontDialogDriver driver([&](HWND dialog) {
      shownFace = ControlText(dialog, kFaceBox);
      shownSize = ControlText(dialog, kSizeBox);
      chosenFace = OtherFace(dialog, shownFace);
      Choose(dialog, kFaceBox, chosenFace);
      Choose(dialog, kSizeBox, "14");
      SendMessageA(GetDlgItem(dialog, kColourBox), CB_SETCURSEL, 1, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kColourBox, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, kColourBox)));
      SendMessageA(GetDlgItem(dialog, kUnderlineBox), BM_SETCHECK, BST_CHECKED, 0);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(app::kCmdChooseFont);
    ASSERT_TRUE(driver.Found());
  }
  EXPECT_EQ(shownFace, "微软雅黑");
  EXPECT_EQ(shownSize, "10");
  ASSERT_NE(chosenFace, shownFace) << "the dialog lists a second face";
  EXPECT_EQ(richedit::FontDialogComponent().Face(), chosenFace);
  EXPECT_EQ(richedit::FontDialogComponent().Size(), 14);

  CHARFORMATA after = FormatOf(0, 4);
  EXPECT_EQ(after.szFaceName, chosenFace);
  EXPECT_EQ(after.yHeight, richedit::PointsToTwipsAt(14, richedit::ScreenDpiY()));
  EXPECT_EQ(after.crTextColor, before.crTextColor);
  EXPECT_EQ(after.dwEffects & CFE_UNDERLINE, before.dwEffects & CFE_UNDERLINE);

  // Second opening shows the confirmed choice; cancelling changes neither text nor choice.
  Select(0, 4);
  shownFace.clear();
  {
    FontDialogDriver driver([&](HWND dialog) {
      shownFace = ControlText(dialog, kFaceBox);
      shownSize = ControlText(dialog, kSizeBox);
      Choose(dialog, kSizeBox, "20");
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(app::kCmdChooseFont);
    ASSERT_TRUE(driver.Found());
  }
  EXPECT_EQ(shownFace, chosenFace);
  EXPECT_EQ(shownSize, "14");
  EXPECT_EQ(richedit::FontDialogComponent().Size(), 14);
  CHARFORMATA unchanged = FormatOf(0, 4);
  EXPECT_EQ(unchanged.yHeight, after.yHeight);
  EXPECT_STREQ(unchanged.szFaceName, after.szFaceName);
}

}  // namespace
