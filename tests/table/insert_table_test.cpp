#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "ole/ole_callback.h"
#include "richedit/rich_edit_helper.h"
#include "richedit/unit_conversion.h"
#include "runtime/rich_edit_box.h"
#include "runtime/window.h"
#include "table/insert_table_window.h"
#include "table/table_markup.h"
#include "tests/support/program.h"

namespace {

std::string PlainOf(HWND box) {
  std::string text(GetWindowTextLengthA(box) + 1, '\0');
  text.resize(GetWindowTextA(box, text.data(), static_cast<int>(text.size())));
  return text;
}

// Rows as the control writes them back: "\row" marks, not the "\rowd" of a row's definition.
int RowMarks(const std::string& rtf) {
  int rows = 0;
  for (size_t at = rtf.find("\\row"); at != std::string::npos; at = rtf.find("\\row", at + 1))
    if (at + 4 >= rtf.size() || rtf[at + 4] != 'd') ++rows;
  return rows;
}

// The program's editor helper, bound as start-up binds it, to a real rich edit box in a window.
class InsertTableTest : public ::testing::Test {
protected:
  static constexpr int kWindowId = 9601;
  static constexpr int kEditorId = 1;
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    app::CreateGlobals();
    ole::BuildOleCallbackTable();
    rt::WindowDesign design;
    design.caption = "editor";
    design.width = 500;
    design.height = 300;
    design.controls = {{kEditorId, rt::ControlKind::RichEdit, "超级编辑框1", 0, 0, 480, 260}};
    window_.emplace(kWindowId, design);
    ASSERT_TRUE(window_->Create());
    ASSERT_TRUE(app::Editor().Attach(kWindowId, kEditorId));
  }
  static void TearDownTestSuite() {
    window_.reset();
    app::ReleaseGlobals();
    OleUninitialize();
  }
  void SetUp() override {
    rt::SetContentFormat(Box(), rt::ContentFormat::Rtf);
    SetWindowTextA(Box(), "");
  }
  static HWND Box() { return window_->Control(kEditorId); }

  static inline std::optional<rt::Window> window_;
};

TEST_F(InsertTableTest, PutsTheTableInPlaceOfTheSelection) {
  SetWindowTextA(Box(), "before SELECTED after");
  SendMessageA(Box(), EM_SETSEL, 7, 15);
  app::Editor().InsertTable({100, 100}, 3);

  std::string rtf = testing_support::DocumentRtf(Box());
  EXPECT_NE(rtf.find("\\cellx1500\\cellx3000"), std::string::npos) << rtf;  // 96 dpi here
  EXPECT_EQ(RowMarks(rtf), 3) << rtf;
  std::string text = PlainOf(Box());
  EXPECT_EQ(text.find("SELECTED"), std::string::npos) << text;
  EXPECT_NE(text.find("before"), std::string::npos) << text;
  EXPECT_NE(text.find("after"), std::string::npos) << text;
  EXPECT_EQ(rt::GetContentFormat(Box()), rt::ContentFormat::Rtf);
}

TEST_F(InsertTableTest, RowsBelowOneGiveOneRow) {
  for (int rows : {0, -4}) {
    SetWindowTextA(Box(), "");
    app::Editor().InsertTable({100, 50, 0}, rows);
    std::string rtf = testing_support::DocumentRtf(Box());
    EXPECT_NE(rtf.find("\\cellx1500\\cellx2250\\cellx2250"), std::string::npos) << rtf;
    EXPECT_EQ(RowMarks(rtf), 1) << rows << '\n' << rtf;
  }
}

TEST_F(InsertTableTest, APlainTextEditorIsPlainTextAgainAfterwards) {
  rt::SetContentFormat(Box(), rt::ContentFormat::PlainText);
  rt::SetContent(Box(), "plain");
  SendMessageA(Box(), EM_SETSEL, 5, 5);
  app::Editor().InsertTable({100, 100}, 2);

  EXPECT_EQ(rt::GetContentFormat(Box()), rt::ContentFormat::PlainText);
  std::string rtf = testing_support::DocumentRtf(Box());
  EXPECT_NE(rtf.find("\\cellx1500\\cellx3000"), std::string::npos) << rtf;
  EXPECT_EQ(RowMarks(rtf), 2) << rtf;
  std::string content = rt::GetContent(Box());
  EXPECT_NE(content.find("plain"), std::string::npos) << content;
  EXPECT_EQ(content.find("rtf1"), std::string::npos) << content;
}

TEST_F(InsertTableTest, AnEmptyWidthListInsertsNothingAndLeavesTheFormatAlone) {
  for (rt::ContentFormat format : {rt::ContentFormat::PlainText, rt::ContentFormat::Rtf}) {
    rt::SetContentFormat(Box(), format);
    SetWindowTextA(Box(), "kept SELECTED");
    SendMessageA(Box(), EM_SETSEL, 5, 13);
    app::Editor().InsertTable({}, 3);
    EXPECT_EQ(rt::GetContentFormat(Box()), format);
    EXPECT_EQ(PlainOf(Box()), "kept SELECTED");
    EXPECT_EQ(testing_support::DocumentRtf(Box()).find("\\trowd"), std::string::npos);
  }
}

// The conversion the helper uses, at other resolutions than the screen's.
TEST(InsertTableConversion, At120DpiAHundredPixelColumnIs1200Twips) {
  auto at = [](int dpi) { return [dpi](int pixels) { return richedit::PixelsToTwipsAt(pixels, dpi); }; };
  std::string markup = table::BuildTableMarkup({100, 100}, 1, at(120));
  EXPECT_NE(markup.find("\r\n\\cellx1200\\cellx2400\r\n"), std::string::npos) << markup;
  markup = table::BuildTableMarkup({100, 100}, 1, at(96));
  EXPECT_NE(markup.find("\r\n\\cellx1500\\cellx3000\r\n"), std::string::npos) << markup;
  // 1 px is 11.25 twips at 128 dpi: columns round one by one.
  markup = table::BuildTableMarkup({1, 1, 1, 1}, 1, at(128));
  EXPECT_NE(markup.find("\r\n\\cellx11\\cellx22\\cellx33\\cellx44\r\n"), std::string::npos) << markup;
}

// The menu command's whole road: the window confirmed at once, the table in the editor.
TEST_F(InsertTableTest, ConfirmingTheWindowPutsTheTableIntoTheEditor) {
  SetWindowTextA(Box(), "xy");
  SendMessageA(Box(), EM_SETSEL, 1, 1);
  std::thread user([] {
    // The window is shown once its controls exist.
    HWND window = nullptr;
    for (int i = 0; i < 500 && !(window && IsWindowVisible(window)); ++i) {
      window = FindWindowA("XwNotesWindow", "插入表格");
      Sleep(10);
    }
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetParent(Box()))) << "the editor's window stays usable";
    PostMessageA(GetDlgItem(window, table::kOkButton), BM_CLICK, 0, 0);
    for (int i = 0; i < 500 && IsWindow(window); ++i) Sleep(10);
    if (IsWindow(window)) {
      ADD_FAILURE() << "confirming did not close the window";
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  });
  table::ShowInsertTableWindow();
  user.join();
  EXPECT_TRUE(IsWindowEnabled(GetParent(Box())));
  std::string rtf = testing_support::DocumentRtf(Box());
  EXPECT_NE(rtf.find("\\cellx1500\\cellx3000"), std::string::npos) << rtf;
  EXPECT_EQ(RowMarks(rtf), 2) << rtf;
}

}  // namespace
