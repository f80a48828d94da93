#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>

#include "richedit/unit_conversion.h"
#include "tests/richedit/editor_fixture.h"

namespace richedit_test {
namespace {

using Helper = richedit::RichEditHelper;

struct Effect {
  const char* name;
  DWORD mask;
  int (Helper::*set)(bool);
  bool (Helper::*is)();
};

const Effect kEffects[] = {
    {"bold", CFM_BOLD, &Helper::SetBold, &Helper::IsBold},
    {"italic", CFM_ITALIC, &Helper::SetItalic, &Helper::IsItalic},
    {"underline", CFM_UNDERLINE, &Helper::SetUnderline, &Helper::IsUnderline},
    {"strikeout", CFM_STRIKEOUT, &Helper::SetStrikeout, &Helper::IsStrikeout},
    {"protected", CFM_PROTECTED, &Helper::SetProtected, &Helper::IsProtected},
};

using CharacterFormatTest = EditorFixture;

TEST_F(CharacterFormatTest, EffectsGoOnAndOffOnTheSelectionAndNeverToggle) {
  for (const Effect& e : kEffects) {
    SCOPED_TRACE(e.name);
    SetText("abcdef");
    Select(1, 3);
    EXPECT_NE((editor_.get()->*e.set)(true), 0);
    EXPECT_TRUE((editor_.get()->*e.is)());
    EXPECT_NE((editor_.get()->*e.set)(true), 0);  // twice stays on
    EXPECT_TRUE((editor_.get()->*e.is)());
    EXPECT_EQ(FormatOf(1, 3).dwEffects & e.mask, e.mask);
    EXPECT_EQ(FormatOf(0, 1).dwEffects & e.mask, 0u);
    EXPECT_EQ(FormatOf(3, 6).dwEffects & e.mask, 0u);
    Select(1, 3);
    (editor_.get()->*e.set)(false);
    EXPECT_FALSE((editor_.get()->*e.is)());
    EXPECT_EQ(FormatOf(1, 3).dwEffects & e.mask, 0u);
  }
}

TEST_F(CharacterFormatTest, AtTheCaretOnlyTheTextTypedNextTakesTheFormat) {
  SetText("abc");
  Select(3, 3);
  editor_->SetBold(true);
  editor_->SetItalic(true);
  editor_->SetTextColor(0xFF0000);
  Type("de");
  EXPECT_EQ(Text(), "abcde");
  CHARFORMATA typed = FormatOf(3, 5);
  EXPECT_EQ(typed.dwEffects & (CFE_BOLD | CFE_ITALIC), DWORD{CFE_BOLD | CFE_ITALIC});
  EXPECT_EQ(typed.crTextColor, 0xFF0000u);
  CHARFORMATA existing = FormatOf(0, 3);
  EXPECT_EQ(existing.dwEffects & (CFE_BOLD | CFE_ITALIC), 0u);
  EXPECT_NE(existing.crTextColor, 0xFF0000u);
}

TEST_F(CharacterFormatTest, SizeColourFaceAndOffsetReadBack) {
  SetText("abcdef");
  Select(0, 6);
  ASSERT_EQ(richedit::ScreenDpiY(), 96) << "the expected twips below are for a 96 dpi screen";
  editor_->SetFontSize(10);
  EXPECT_EQ(FormatOf(0, 6).yHeight, 195);
  EXPECT_EQ(editor_->GetFontSize(), 10);

  editor_->SetTextColor(0x0000FF);
  EXPECT_EQ(FormatOf(0, 6).crTextColor, 0x0000FFu);
  EXPECT_EQ(FormatOf(0, 6).dwEffects & CFE_AUTOCOLOR, 0u);
  EXPECT_EQ(editor_->GetTextColor(), 0x0000FF);

  editor_->SetFontName("微软雅黑");
  EXPECT_STREQ(FormatOf(0, 6).szFaceName, "微软雅黑");
  EXPECT_EQ(editor_->GetFontName(), "微软雅黑");
  // A face longer than the field is cut to 31 bytes and its zero.
  editor_->SetFontName(std::string(40, 'F'));
  EXPECT_EQ(editor_->GetFontName(), std::string(31, 'F'));

  editor_->SetCharOffset(-2);
  EXPECT_EQ(FormatOf(0, 6).yOffset, -30);
  EXPECT_EQ(editor_->GetCharOffset(), -2);
  CHARFORMATA cf;
  std::memset(&cf, 0, sizeof cf);
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_OFFSET;
  cf.yOffset = -20;
  SendMessageA(Box(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_EQ(editor_->GetCharOffset(), -1);
}

TEST_F(CharacterFormatTest, GettersReportWhatTheControlFilledInOrTheirDefaults) {
  SetText("ab");
  // Only bold differs: the reply is non-zero, so IsBold reports the structure as filled in.
  Select(0, 1);
  editor_->SetBold(true);
  Select(0, 2);
  EXPECT_EQ(editor_->IsBold(), (FormatOf(0, 2).dwEffects & CFE_BOLD) != 0);
  EXPECT_EQ(editor_->GetFontSize(), editor_->TwipsToPoints(FormatOf(0, 2).yHeight));
  Select(1, 2);
  EXPECT_FALSE(editor_->IsBold());

  // Two characters that share no attribute at all: every getter gives its default.
  CHARFORMAT2A first;
  std::memset(&first, 0, sizeof first);
  first.cbSize = sizeof first;
  first.dwMask = CFM_ALL2;
  first.dwEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED | CFE_LINK |
                    CFE_SUBSCRIPT | CFM_SMALLCAPS | CFM_ALLCAPS | CFM_HIDDEN | CFM_OUTLINE | CFM_SHADOW |
                    CFM_EMBOSS | CFM_IMPRINT | CFM_DISABLED | CFM_REVISED;
  first.yHeight = 400;
  first.yOffset = 60;
  first.crTextColor = 0x0000FF;
  first.bCharSet = GB2312_CHARSET;
  first.bPitchAndFamily = FF_ROMAN;
  std::strcpy(first.szFaceName, "Times New Roman");
  first.wWeight = FW_BOLD;
  first.sSpacing = 20;
  first.crBackColor = 0x00FF00;
  first.lcid = 0x0804;
  first.sStyle = 1;
  first.wKerning = 10;
  first.bUnderlineType = CFU_UNDERLINEDOUBLE;
  first.bAnimation = 1;
  first.bRevAuthor = 1;
  CHARFORMAT2A second = first;
  second.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR | CFE_SUPERSCRIPT;
  second.yHeight = 200;
  second.yOffset = -60;
  second.crTextColor = 0xFF0000;
  second.bCharSet = ANSI_CHARSET;
  second.bPitchAndFamily = FF_SWISS;
  std::strcpy(second.szFaceName, "Arial");
  second.wWeight = FW_THIN;
  second.sSpacing = 0;
  second.crBackColor = 0x0000FF;
  second.lcid = 0x0409;
  second.sStyle = 2;
  second.wKerning = 0;
  second.bUnderlineType = CFU_UNDERLINEWORD;
  second.bAnimation = 2;
  second.bRevAuthor = 2;
  Select(0, 1);
  SendMessageA(Box(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&first));
  Select(1, 2);
  SendMessageA(Box(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&second));
  DWORD reply = 1;
  CHARFORMATA filled = FormatOf(0, 2, &reply);
  Select(0, 2);
  if (reply == 0) {
    EXPECT_FALSE(editor_->IsBold());
    EXPECT_FALSE(editor_->IsItalic());
    EXPECT_FALSE(editor_->IsUnderline());
    EXPECT_FALSE(editor_->IsStrikeout());
    EXPECT_FALSE(editor_->IsProtected());
    EXPECT_EQ(editor_->GetFontSize(), 0);
    EXPECT_EQ(editor_->GetTextColor(), 0);
    EXPECT_EQ(editor_->GetFontName(), "");
    EXPECT_EQ(editor_->GetCharOffset(), 0);
  } else {
    // Wine's control keeps reporting attributes it does not compare as uniform, so the reply is
    // never 0 there; the getters then read the structure as filled in.
    EXPECT_EQ(filled.dwEffects & CFE_BOLD, 0u) << "a mixed attribute reads as off";
    EXPECT_FALSE(editor_->IsBold());
    EXPECT_EQ(editor_->GetTextColor(), static_cast<int>(filled.crTextColor));
    EXPECT_EQ(editor_->GetFontName(), filled.szFaceName);
    EXPECT_EQ(editor_->GetCharOffset(), filled.yOffset / 15);
  }
}

struct Conversion {
  int dpi;
  int points, twipsFromPoints;
  int twips, pointsFromTwips;
  int pixels, twipsFromPixels;
};

TEST(UnitConversion, GoesThroughTheScreenResolution) {
  const Conversion table[] = {
      // 10 pt: 13 px at 96 dpi → 195 twips, 17 px at 120 → 255, 20 px at 144 → 300.
      {96, 10, 195, 195, 10, 100, 1500},
      {120, 10, 255, 255, 10, 100, 1200},
      {144, 10, 300, 300, 10, 100, 1000},
      {96, 12, 240, 240, 12, 1, 15},
      {120, 9, 225, 200, 8, 7, 84},
      {144, 1, 30, 29, 1, -3, -30},  // MulDiv rounds the half up,
  };
  for (const Conversion& c : table) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(richedit::PointsToTwipsAt(c.points, c.dpi), c.twipsFromPoints);
    EXPECT_EQ(richedit::TwipsToPointsAt(c.twips, c.dpi), c.pointsFromTwips);
    EXPECT_EQ(richedit::PixelsToTwipsAt(c.pixels, c.dpi), c.twipsFromPixels);
  }
  EXPECT_EQ(richedit::OffsetPixelsToTwips(-2), -30);
  EXPECT_EQ(richedit::OffsetTwipsToPixels(-20), -1);
  EXPECT_EQ(richedit::OffsetTwipsToPixels(29), 1);
  EXPECT_EQ(richedit::HundredthsToTwips(7), 100);  // 100.8, truncated
  EXPECT_EQ(richedit::HundredthsToTwips(-7), -100);

  // The methods read the real screen.
  richedit::RichEditHelper helper;
  EXPECT_EQ(helper.PointsToTwips(10), richedit::PointsToTwipsAt(10, richedit::ScreenDpiY()));
  EXPECT_EQ(helper.PixelsToTwips(100), richedit::PixelsToTwipsAt(100, richedit::ScreenDpiX()));
  EXPECT_EQ(helper.TwipsToPoints(195), richedit::TwipsToPointsAt(195, richedit::ScreenDpiY()));
}

}  // namespace
}  // namespace richedit_test
