// Link clicks through the real editor and MainWindow's real window procedure, watched at the shell
// boundary (the open-address utility) and at the procedure MainWindowProc replaced.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "app/link_activation.h"
#include "app/main_window.h"
#include "runtime/open_address.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 7;
constexpr LRESULT kProbeResult = 0x5EEDF00D;
constexpr LRESULT kLinkReply = 0x1234;

struct Seen {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// The procedure that sits under MainWindowProc: it records what is handed on and gives answers
// of its own, so that the test can see them come back unchanged.
WNDPROC g_classProc = nullptr;
std::vector<Seen> g_handedOn;

LRESULT CALLBACK UnderlyingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY || msg == kProbeMessage) g_handedOn.push_back({msg, wParam, lParam});
  if (msg == kProbeMessage) return kProbeResult;
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == EN_LINK) {
    LRESULT own = CallWindowProcA(g_classProc, hwnd, msg, wParam, lParam);
    // Mouse notifications from real clicks keep the editor's own handling (reply 0).
    return reinterpret_cast<ENLINK*>(lParam)->lParam == 0x7777 ? kLinkReply : own;
  }
  return CallWindowProcA(g_classProc, hwnd, msg, wParam, lParam);
}

class LinkActivationTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(app::MainWindow().Create());
    HWND main = app::MainWindow().Handle();
    g_classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UnderlyingProc)));
    HWND editor = Editor();
    LRESULT mask = SendMessageA(editor, EM_GETEVENTMASK, 0, 0);
    SendMessageA(editor, EM_SETEVENTMASK, 0, mask | ENM_LINK);
    SendMessageA(editor, EM_AUTOURLDETECT, 1, 0);
    app::InstallMainWindowProc();
    app::InstallMainWindowProc();  // a second call must not make it its own predecessor
  }
  static void TearDownTestSuite() { app::MainWindow().Close(); }

  void SetUp() override {
    opened_.clear();
    g_handedOn.clear();
    rt::SetAddressOpenerForTesting([this](const std::string& address) { opened_.push_back(address); });
  }
  void TearDown() override { rt::SetAddressOpenerForTesting(nullptr); }

  static HWND Main() { return app::MainWindow().Handle(); }
  static HWND Editor() { return app::MainWindow().Control(app::kEditor); }

  // Plain text in the editor; URL detection marks the links in it.
  static void SetText(const std::string& text) {
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    SendMessageA(Editor(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
  }

  // A point inside the character at the index, in the editor's client coordinates.
  static LPARAM PointAt(int index) {
    POINTL pt{};
    SendMessageA(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), index);
    return MAKELPARAM(pt.x + 2, pt.y + 4);
  }

  // An EN_LINK notification as the editor sends it, delivered to MainWindow.
  static LRESULT SendLink(UINT mouseMsg, WPARAM keys, CHARRANGE range, LPARAM mouseLParam = 0x7777) {
    ENLINK link{};
    link.nmhdr.hwndFrom = Editor();
    link.nmhdr.idFrom = app::kEditor;
    link.nmhdr.code = EN_LINK;
    link.msg = mouseMsg;
    link.wParam = keys;
    link.lParam = mouseLParam;
    link.chrg = range;
    return SendMessageA(Main(), WM_NOTIFY, app::kEditor, reinterpret_cast<LPARAM>(&link));
  }

  std::vector<std::string> Times(int n, const std::string& text) { return std::vector<std::string>(n, text); }

  std::vector<std::string> opened_;
};

TEST_F(LinkActivationTest, IsMainWindowsProcedureAndHandsOtherMessagesOnUnchanged) {
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Main(), GWLP_WNDPROC)), &app::MainWindowProc);
  EXPECT_EQ(SendMessageA(Main(), kProbeMessage, 0xABCD, 0x1357), kProbeResult);
  ASSERT_EQ(g_handedOn.size(), 1u);
  EXPECT_EQ(g_handedOn[0].wParam, 0xABCDu);
  EXPECT_EQ(g_handedOn[0].lParam, 0x1357);
  // And what the window's own procedure answers comes back too.
  EXPECT_EQ(SendMessageA(Main(), WM_GETTEXTLENGTH, 0, 0), 35);
  EXPECT_TRUE(opened_.empty());
}

struct ClickCase {
  const char* name;
  std::vector<std::pair<UINT, WPARAM>> mouse;  // messages sent to the editor over the link
  int opens;
};

class RealClicks : public LinkActivationTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(RealClicks, OpenTheLinkAsOftenAsTheGestureAsks) {
  const std::string link = "http://example.com/path?q=1&r=2";
  SetText("see " + link + " here");
  LPARAM at = PointAt(10);
  for (auto [msg, keys] : GetParam().mouse) SendMessageA(Editor(), msg, keys, at);
  EXPECT_EQ(opened_, Times(GetParam().opens, link));
  // Every notification reached the procedure underneath, so the editor got its usual reply.
  int linkNotifications = 0;
  for (const Seen& s : g_handedOn)
    if (s.msg == WM_NOTIFY) ++linkNotifications;
  EXPECT_EQ(linkNotifications, static_cast<int>(GetParam().mouse.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, RealClicks,
    ::testing::Values(
        ClickCase{"PlainClick", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 0},
        ClickCase{"DoubleClick",
                  {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0}},
                  1},
        ClickCase{"CtrlClick", {{WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL}, {WM_LBUTTONUP, MK_CONTROL}}, 1},
        ClickCase{"CtrlDoubleClick",
                  {{WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL},
                   {WM_LBUTTONUP, MK_CONTROL},
                   {WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL},
                   {WM_LBUTTONUP, MK_CONTROL}},
                  3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkActivationTest, OnlyDoubleClickAndCtrlReleaseNotificationsOpen) {
  const std::string link = "https://example.org/a";
  SetText(link);
  CHARRANGE range{0, static_cast<LONG>(link.size())};
  struct {
    UINT msg;
    WPARAM keys;
    int opens;
  } cases[] = {
      {WM_LBUTTONUP, 0, 0},          {WM_LBUTTONUP, MK_SHIFT, 0},      {WM_LBUTTONUP, MK_CONTROL, 1},
      {WM_LBUTTONUP, MK_CONTROL | MK_SHIFT, 1}, {WM_LBUTTONDBLCLK, 0, 1}, {WM_LBUTTONDBLCLK, MK_CONTROL, 1},
      {WM_LBUTTONDOWN, MK_CONTROL, 0}, {WM_MOUSEMOVE, MK_CONTROL, 0},    {WM_RBUTTONUP, MK_CONTROL, 0},
      {WM_RBUTTONDBLCLK, 0, 0},        {WM_SETCURSOR, MK_CONTROL, 0},    {WM_KEYDOWN, VK_RETURN, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "message " << c.msg << " keys " << c.keys);
    opened_.clear();
    g_handedOn.clear();
    EXPECT_EQ(SendLink(c.msg, c.keys, range), kLinkReply);
    EXPECT_EQ(opened_, Times(c.opens, link));
    ASSERT_EQ(g_handedOn.size(), 1u);
    EXPECT_EQ(g_handedOn[0].wParam, static_cast<WPARAM>(app::kEditor));
  }
}

TEST_F(LinkActivationTest, OtherNotificationsPassThrough) {
  SetText("http://example.com/");
  // Another notification code with an ENLINK-like body that would otherwise open.
  ENLINK other{};
  other.nmhdr = {Editor(), static_cast<UINT_PTR>(app::kEditor), static_cast<UINT>(EN_SELCHANGE)};
  other.msg = WM_LBUTTONDBLCLK;
  other.chrg = {0, 19};
  SendMessageA(Main(), WM_NOTIFY, app::kEditor, reinterpret_cast<LPARAM>(&other));
  NMHDR fromTree{app::MainWindow().Control(app::kNoteTree), static_cast<UINT_PTR>(app::kNoteTree),
                 static_cast<UINT>(NM_CLICK)};
  SendMessageA(Main(), WM_NOTIFY, app::kNoteTree, reinterpret_cast<LPARAM>(&fromTree));
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(g_handedOn.size(), 2u);
  EXPECT_EQ(g_handedOn[0].lParam, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(g_handedOn[1].lParam, reinterpret_cast<LPARAM>(&fromTree));
}

TEST_F(LinkActivationTest, HandsOverExactlyTheLinksTextHoweverLong) {
  struct {
    std::string before, link, after;
  } cases[] = {
      {"x ", "https://www.example.com/a_b", " y"},
      {"", "mailto:someone@example.com", ""},
      {"前文 ", "http://例子.com/路径?查询=是", " 后文"},                 // double-byte characters
      {"", "http://example.com/" + std::string(2981, 'a'), " tail"},  // 3,000 characters
      {"", "https://example.com/" + std::string(1500, 'b') + "中文" + std::string(1500, 'c'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link.substr(0, 40));
    opened_.clear();
    SetText(c.before + c.link + c.after);
    // Character positions: a double-byte character counts once.
    LONG start = static_cast<LONG>(MultiByteToWideChar(CP_ACP, 0, c.before.data(), static_cast<int>(c.before.size()), nullptr, 0));
    LONG length = static_cast<LONG>(MultiByteToWideChar(CP_ACP, 0, c.link.data(), static_cast<int>(c.link.size()), nullptr, 0));
    SendLink(WM_LBUTTONDBLCLK, 0, {start, start + length});
    EXPECT_EQ(opened_, Times(1, c.link));
  }
}

TEST_F(LinkActivationTest, RangesThatCannotBeAWholeAddressOpenNothing) {
  SetText("http://example.com/" + std::string(40000, 'z'));
  CHARRANGE ranges[] = {{0, 40019}, {5, 5}, {10, 3}, {-1, 12}};
  for (CHARRANGE r : ranges) SendLink(WM_LBUTTONDBLCLK, 0, r);
  EXPECT_TRUE(opened_.empty());
  // A range running past the end gives what is there.
  SetText("http://example.com/end");
  SendLink(WM_LBUTTONDBLCLK, 0, {0, 500});
  EXPECT_EQ(opened_, Times(1, "http://example.com/end"));
}

TEST_F(LinkActivationTest, OnlyWebAndMailAddressesGoToTheShell) {
  struct {
    const char* text;
    const char* opened;  // null: nothing opens
  } cases[] = {
      {"http://example.com", "http://example.com"},
      {"HTTPS://EXAMPLE.COM/X", "HTTPS://EXAMPLE.COM/X"},
      {"ftp://files.example.com/a.txt", "ftp://files.example.com/a.txt"},
      {"mailto:a@example.com", "mailto:a@example.com"},
      // Never a bare name the shell could take for a program file.
      {"www.example.com", "http://www.example.com"},
      {"WWW.Example.com/x", "http://WWW.Example.com/x"},
      {"file:///C:/windows/system32/calc.exe", nullptr},
      {"file://server/share/setup.exe", nullptr},
      {"\\\\server\\share\\setup.exe", nullptr},
      {"C:\\windows\\system32\\cmd.exe", nullptr},
      {"notepad.exe", nullptr},
      {"javascript:alert(1)", nullptr},
      {"ms-settings:", nullptr},
      {"telnet://example.com", nullptr},
      {"news:comp.lang", nullptr},
      {"http://", nullptr},
      {"www.", nullptr},
      {"http://example.com/\"--flag", nullptr},
      {"mailto:a@example.com\tb", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    opened_.clear();
    SetText(c.text);
    SendLink(WM_LBUTTONDBLCLK, 0, {0, static_cast<LONG>(strlen(c.text))});
    EXPECT_EQ(opened_, c.opened ? Times(1, c.opened) : Times(0, ""));
  }
}

TEST_F(LinkActivationTest, AFileLinkDetectedByTheEditorOpensNothing) {
  const std::string link = "file://C:/windows/system32/calc.exe";
  SetText("run " + link);
  LPARAM at = PointAt(8);
  SendMessageA(Editor(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(Editor(), WM_LBUTTONUP, 0, at);
  SendMessageA(Editor(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(Editor(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(opened_.empty());
  // The editor did take it for a link: the notifications came.
  EXPECT_FALSE(g_handedOn.empty());
}

}  // namespace
