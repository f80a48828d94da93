#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "runtime/drawing_panel.h"
#include "runtime/printer.h"
#include "runtime/scoped_win.h"
#include "tests/richedit/editor_fixture.h"

namespace richedit_test {
namespace {

constexpr int kComponentWindow = 902;
constexpr int kPrinterId = 1;
constexpr int kPanelId = 2;

// Records the FORMATRANGE of every EM_FORMATRANGE the editor receives, then lets it draw.
class RenderingTest : public EditorFixture {
protected:
  void SetUp() override {
    EditorFixture::SetUp();
    window_->OnControlMessage(kTestEditor, [this](UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
      if (msg == EM_FORMATRANGE && lParam) {
        ++calls;
        seen = *reinterpret_cast<const FORMATRANGE*>(lParam);
      }
      return std::nullopt;
    });
    SetText("Page text");
  }
  void TearDown() override {
    SendMessageA(Box(), EM_FORMATRANGE, FALSE, 0);  // the control's cached layout
    EditorFixture::TearDown();
  }

  int calls = 0;
  FORMATRANGE seen{};
};

PARAFORMAT2 ParagraphFormat(HWND box) {
  PARAFORMAT2 pf;
  std::memset(&pf, 0, sizeof pf);
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALL2;
  SendMessageA(box, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  return pf;
}

struct Numbering {
  int style, offset;
  WORD numbering;
  LONG twips;
};

TEST_F(EditorFixture, SetNumberingSwitchesNumberingOnWithAnOffset) {
  SetText("one\rtwo");
  for (Numbering n : {Numbering{0, 10, PFN_BULLET, 150}, {2, 0, 2, 0}, {-3, -1, PFN_BULLET, -15}, {3, 4, 3, 60}}) {
    Select(0, -1);
    EXPECT_NE(editor_->SetNumbering(n.style, n.offset), 0) << n.style;
    PARAFORMAT2 pf = ParagraphFormat(Box());
    EXPECT_EQ(pf.wNumbering, n.numbering) << n.style;
    EXPECT_EQ(pf.dxOffset, n.twips) << n.style;
  }
}

bool HasInk(HDC dc, const RECT& area) {
  for (int y = area.top; y < area.bottom; y += 1)
    for (int x = area.left; x < area.right; x += 1)
      if ((GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
  return false;
}

TEST_F(RenderingTest, PrinterPageIsMeasuredInHundredthsAndTheUnitRestored) {
  // A letter-sized sheet at 100 dots per inch, drawn into memory instead of onto paper.
  rt::ScopedGetDC screen(nullptr);
  HDC dc = CreateCompatibleDC(screen.get());
  HBITMAP sheet = CreateCompatibleBitmap(screen.get(), 850, 1100);
  HGDIOBJ old = SelectObject(dc, sheet);
  RECT all{0, 0, 850, 1100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  rt::Printer printer(kComponentWindow, kPrinterId);
  printer.UseDevice(dc, {100, 100, 850, 1100, 100, 100, 100, 100});
  printer.SetUnit(rt::kUnitTwips);
  int next = editor_->FormatRangeToPrinter(kComponentWindow, kPrinterId, 0, -1);
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(seen.hdc, dc);
  EXPECT_EQ(seen.hdcTarget, dc);
  EXPECT_EQ(seen.rc.left, 1440);
  EXPECT_EQ(seen.rc.top, 1440);
  EXPECT_EQ(seen.rc.right, 10800);
  EXPECT_EQ(seen.rc.bottom, 14400);
  EXPECT_EQ(seen.rcPage.left, 0);
  EXPECT_EQ(seen.rcPage.top, 0);
  EXPECT_EQ(seen.rcPage.right, 12240);
  EXPECT_EQ(seen.rcPage.bottom, 15840);
  EXPECT_EQ(seen.chrg.cpMin, 0);
  EXPECT_EQ(seen.chrg.cpMax, -1);
  EXPECT_EQ(printer.Unit(), rt::kUnitTwips);
  // Wine's windowed control answers EM_FORMATRANGE with 0 and draws nothing; where the control
  // renders, the whole short text fits and lies inside the margins.
  if (next != 0) {
    EXPECT_EQ(next, 9);
    EXPECT_TRUE(HasInk(dc, {100, 100, 750, 250})) << "the text was drawn inside the margins";
    EXPECT_FALSE(HasInk(dc, {0, 0, 850, 95})) << "nothing above the top margin";
  }

  // 7 hundredths are 100.8 twips: truncated, not rounded.
  printer.UseDevice(dc, {100, 100, 850, 1100, 7, 7, 7, 7});
  editor_->FormatRangeToPrinter(kComponentWindow, kPrinterId, 2, 5);
  EXPECT_EQ(seen.rc.left, 100);
  EXPECT_EQ(seen.rc.top, 100);
  EXPECT_EQ(seen.rc.right, 12139);  // (7 + 836) × 14.4 = 12139.2
  EXPECT_EQ(seen.chrg.cpMin, 2);
  EXPECT_EQ(seen.chrg.cpMax, 5);

  SendMessageA(Box(), EM_FORMATRANGE, FALSE, 0);
  SelectObject(dc, old);
  DeleteObject(sheet);
  DeleteDC(dc);
}

TEST_F(RenderingTest, CanvasAreaGrowsDownAndRightAndLeavesThePanelInPixels) {
  rt::DrawingPanel panel(kComponentWindow, kPanelId, 300, 200);
  panel.SetUnit(rt::kUnitHundredthsOfAnInch);
  int panelWidth = panel.DrawingWidth(), panelHeight = panel.DrawingHeight();
  int next = editor_->FormatRangeToCanvas(kComponentWindow, kPanelId, 10, 20, 100, 200, 0, -1);
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(seen.hdc, panel.DeviceContext());
  EXPECT_EQ(seen.rc.left, 144);
  EXPECT_EQ(seen.rc.top, 288);
  EXPECT_EQ(seen.rc.right, 3024);   // (10 + 200) × 14.4
  EXPECT_EQ(seen.rc.bottom, 1728);  // (20 + 100) × 14.4
  EXPECT_EQ(seen.rcPage.right, static_cast<int>(panelWidth * 14.4));
  EXPECT_EQ(seen.rcPage.bottom, static_cast<int>(panelHeight * 14.4));
  EXPECT_EQ(panel.Unit(), rt::kUnitPixels);
  EXPECT_EQ(panel.DrawingWidth(), 300);
  if (next != 0) {  // not under Wine
    EXPECT_TRUE(HasInk(panel.DeviceContext(), {10, 19, 210, 125}));
  }
}

TEST_F(RenderingTest, MissingComponentsDrawNothing) {
  EXPECT_EQ(editor_->FormatRangeToPrinter(kComponentWindow, 77, 0, -1), 0);
  EXPECT_EQ(editor_->FormatRangeToCanvas(kComponentWindow, 78, 0, 0, 10, 10, 0, -1), 0);
  rt::Printer noDevice(kComponentWindow, kPrinterId);
  EXPECT_EQ(editor_->FormatRangeToPrinter(kComponentWindow, kPrinterId, 0, -1), 0);
  EXPECT_EQ(calls, 0);
}

TEST_F(EditorFixture, BackColorGoesThroughTheTextObjectModel) {
  SetText("highlight");
  Select(0, 4);
  ASSERT_TRUE(editor_->SetBackColor(0x00FFFF));
  EXPECT_EQ(editor_->GetBackColor(), 0x00FFFF);
  CHARFORMAT2A cf;
  std::memset(&cf, 0, sizeof cf);
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_BACKCOLOR;
  SendMessageA(Box(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_EQ(cf.crBackColor, 0x00FFFFu);
  Select(5, 9);
  EXPECT_NE(editor_->GetBackColor(), 0x00FFFF);

  // Without an editor the late-bound calls fail quietly.
  richedit::RichEditHelper unbound;
  EXPECT_FALSE(unbound.SetBackColor(0xFF));
  EXPECT_EQ(unbound.GetBackColor(), 0);
}

}  // namespace
}  // namespace richedit_test
