#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/rich_edit_box.h"
#include "runtime/window.h"
#include "table/table_markup.h"
#include "tests/support/program.h"

namespace {

// The conversion as the editor does it, at a chosen screen resolution.
auto AtDpi(int dpi) {
  return [dpi](int pixels) { return MulDiv(pixels, 1440, dpi); };
}

std::string Expected(const std::string& boundaries, const std::string& cells, int extraRows) {
  std::string markup = "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n\\viewkind4\\uc1\\trowd\r\n" + boundaries +
                       "\r\n\\pard\\intbl\\lang2052\\f0\\fs24\r\n" + cells + "\\row\r\n";
  for (int i = 0; i < extraRows; ++i) markup += "\\intbl\\row\r\n";
  return markup + "}";
}

TEST(TableMarkup, TwoColumnsThreeRowsAt96DpiIsTheWorkedExample) {
  EXPECT_EQ(table::BuildTableMarkup({100, 100}, 3, AtDpi(96)),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n"
            "\\viewkind4\\uc1\\trowd\r\n"
            "\\cellx1500\\cellx3000\r\n"
            "\\pard\\intbl\\lang2052\\f0\\fs24\r\n"
            "\\cell\\cell\\row\r\n"
            "\\intbl\\row\r\n"
            "\\intbl\\row\r\n"
            "}");
}

struct MarkupCase {
  const char* name;
  std::vector<int> widths;
  int rows;
  int dpi;
  std::string boundaries;
  std::string cells;
  int extraRows;
};

class TableMarkupCases : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(TableMarkupCases, GiveTheseBytes) {
  const MarkupCase& c = GetParam();
  EXPECT_EQ(table::BuildTableMarkup(c.widths, c.rows, AtDpi(c.dpi)), Expected(c.boundaries, c.cells, c.extraRows));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, TableMarkupCases,
    ::testing::Values(
        MarkupCase{"OneRowHasNoBareRowLine", {100, 100}, 1, 96, "\\cellx1500\\cellx3000", "\\cell\\cell", 0},
        MarkupCase{"ZeroRowsIsOneRow", {100, 100}, 0, 96, "\\cellx1500\\cellx3000", "\\cell\\cell", 0},
        MarkupCase{"NegativeRowsIsOneRow", {100, 100}, -7, 96, "\\cellx1500\\cellx3000", "\\cell\\cell", 0},
        MarkupCase{"NoUpperBoundOnRows", {100, 100}, 25, 96, "\\cellx1500\\cellx3000", "\\cell\\cell", 24},
        MarkupCase{"OneColumn", {100}, 2, 96, "\\cellx1500", "\\cell", 1},
        MarkupCase{"ZeroWidthRepeatsTheBoundary", {0, 100, 0}, 2, 96, "\\cellx0\\cellx1500\\cellx1500",
                   "\\cell\\cell\\cell", 1},
        MarkupCase{"At120Dpi", {100, 100}, 2, 120, "\\cellx1200\\cellx2400", "\\cell\\cell", 1},
        // 1 px is 11.25 twips at 128 dpi: each column rounds on its own (11 + 11), not the sum (23).
        MarkupCase{"RoundsPerColumn", {1, 1}, 1, 128, "\\cellx11\\cellx22", "\\cell\\cell", 0},
        MarkupCase{"NegativeWidthWritesAMinus", {-2}, 1, 128, "\\cellx-23", "\\cell", 0}),
    [](const ::testing::TestParamInfo<MarkupCase>& info) { return std::string(info.param.name); });

TEST(TableMarkup, EmptyWidthListGivesNothingAndConvertsNothing) {
  int calls = 0;
  EXPECT_EQ(table::BuildTableMarkup({}, 3, [&calls](int) { return ++calls; }), "");
  EXPECT_EQ(calls, 0);
}

TEST(TableMarkup, ConvertsEachColumnOnceInColumnOrder) {
  std::vector<int> seen;
  std::string markup = table::BuildTableMarkup({30, 10, 20}, 1, [&seen](int pixels) {
    seen.push_back(pixels);
    return pixels;
  });
  EXPECT_EQ(seen, (std::vector<int>{30, 10, 20}));
  EXPECT_NE(markup.find("\\cellx30\\cellx40\\cellx60\r\n"), std::string::npos);
}

TEST(TableMarkup, HugeWidthsDoNotWrapTheBoundaries) {
  std::string markup = table::BuildTableMarkup({2'000'000'000, 2'000'000'000}, 1, [](int p) { return p; });
  EXPECT_NE(markup.find("\\cellx2000000000\\cellx4000000000\r\n"), std::string::npos);
}

// A real rich edit box in a real window.
class TableInEditor : public ::testing::Test {
protected:
  static constexpr int kWindowId = 9501;
  static constexpr int kEditorId = 1;
  void SetUp() override {
    rt::WindowDesign design;
    design.caption = "table markup";
    design.width = 500;
    design.height = 300;
    design.controls = {{kEditorId, rt::ControlKind::RichEdit, "editor", 0, 0, 480, 260}};
    window_.emplace(kWindowId, design);
    ASSERT_TRUE(window_->Create());
    box_ = window_->Control(kEditorId);
  }
  std::string Rtf() { return testing_support::DocumentRtf(box_); }
  std::string Plain() {
    std::string text(GetWindowTextLengthA(box_) + 1, '\0');
    text.resize(GetWindowTextA(box_, text.data(), static_cast<int>(text.size())));
    return text;
  }
  std::optional<rt::Window> window_;
  HWND box_ = nullptr;
};

// Rows as the control writes them back: "\row" marks, not the "\rowd" of a row's definition.
int RowMarks(const std::string& rtf) {
  int rows = 0;
  for (size_t at = rtf.find("\\row"); at != std::string::npos; at = rtf.find("\\row", at + 1))
    if (at + 4 >= rtf.size() || rtf[at + 4] != 'd') ++rows;
  return rows;
}

TEST_F(TableInEditor, ReplacesTheSelectionWithATable) {
  SetWindowTextA(box_, "before SELECTED after");
  SendMessageA(box_, EM_SETSEL, 7, 15);
  table::InsertRtfAtSelection(box_, table::BuildTableMarkup({100, 100}, 3, AtDpi(96)));

  std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\cellx1500\\cellx3000"), std::string::npos) << rtf;
  EXPECT_EQ(RowMarks(rtf), 3) << rtf;
  std::string text = Plain();
  EXPECT_EQ(text.find("SELECTED"), std::string::npos) << text;
  size_t before = text.find("before");
  size_t after = text.find("after");
  ASSERT_NE(before, std::string::npos) << text;
  ASSERT_NE(after, std::string::npos) << text;
  EXPECT_LT(before, after) << text;
  EXPECT_EQ(rt::GetContentFormat(box_), rt::ContentFormat::Rtf);
}

TEST_F(TableInEditor, GoesInAtTheCaretWithNothingSelected) {
  SetWindowTextA(box_, "ab");
  SendMessageA(box_, EM_SETSEL, 1, 1);
  table::InsertRtfAtSelection(box_, table::BuildTableMarkup({50}, 1, AtDpi(96)));
  std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\cellx750"), std::string::npos) << rtf;
  EXPECT_EQ(RowMarks(rtf), 1) << rtf;
  // The text before the caret ends up in the first cell (the control's own reading of "\intbl"
  // for the paragraph it continues); nothing of the text is lost and its order is kept.
  std::string text = Plain();
  size_t a = text.find('a');
  size_t b = text.find('b');
  ASSERT_NE(a, std::string::npos) << text;
  ASSERT_NE(b, std::string::npos) << text;
  EXPECT_LT(a, b) << text;
}

TEST_F(TableInEditor, APlainTextEditorStaysPlainText) {
  rt::SetContentFormat(box_, rt::ContentFormat::PlainText);
  rt::SetContent(box_, "plain");
  SendMessageA(box_, EM_SETSEL, 5, 5);
  table::InsertRtfAtSelection(box_, table::BuildTableMarkup({100, 100}, 2, AtDpi(96)));

  EXPECT_EQ(rt::GetContentFormat(box_), rt::ContentFormat::PlainText);
  std::string rtf = Rtf();
  EXPECT_NE(rtf.find("\\cellx1500\\cellx3000"), std::string::npos) << rtf;  // a table, not markup text
  EXPECT_EQ(RowMarks(rtf), 2) << rtf;
  std::string content = rt::GetContent(box_);
  EXPECT_NE(content.find("plain"), std::string::npos) << content;
  EXPECT_EQ(content.find("rtf1"), std::string::npos) << content;
  EXPECT_EQ(content.find("\\cell"), std::string::npos) << content;
}

}  // namespace
