// The character format of the editor's selection, one attribute per method, on the 60-byte ANSI
// CHARFORMAT.
#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "richedit/rich_edit_helper.h"
#include "richedit/unit_conversion.h"

namespace richedit {
namespace {

static_assert(sizeof(CHARFORMATA) == 60);

CHARFORMATA Format(DWORD mask) {
  CHARFORMATA cf;
  std::memset(&cf, 0, sizeof cf);
  cf.cbSize = sizeof cf;
  cf.dwMask = mask;
  return cf;
}

int Apply(HWND editor, CHARFORMATA& cf) {
  return static_cast<int>(SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

// The control answers with the mask of the attributes uniform over the selection; 0 means none
// is, and the getter then gives its default.
bool Read(HWND editor, CHARFORMATA& cf) {
  return SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)) != 0;
}

}  // namespace

int RichEditHelper::SetEffect(DWORD mask, bool on) {
  CHARFORMATA cf = Format(mask);
  cf.dwEffects = on ? mask : 0;
  return Apply(Editor(), cf);
}

bool RichEditHelper::HasEffect(DWORD mask) {
  CHARFORMATA cf = Format(mask);
  if (!Read(Editor(), cf)) return false;
  return (cf.dwEffects & mask) == mask;
}

int RichEditHelper::SetBold(bool on) { return SetEffect(CFM_BOLD, on); }
int RichEditHelper::SetItalic(bool on) { return SetEffect(CFM_ITALIC, on); }
int RichEditHelper::SetUnderline(bool on) { return SetEffect(CFM_UNDERLINE, on); }
int RichEditHelper::SetStrikeout(bool on) { return SetEffect(CFM_STRIKEOUT, on); }
int RichEditHelper::SetProtected(bool on) { return SetEffect(CFM_PROTECTED, on); }

int RichEditHelper::PointsToTwips(int points) { return PointsToTwipsAt(points, ScreenDpiY()); }
int RichEditHelper::TwipsToPoints(int twips) { return TwipsToPointsAt(twips, ScreenDpiY()); }
int RichEditHelper::PixelsToTwips(int pixels) { return PixelsToTwipsAt(pixels, ScreenDpiX()); }

int RichEditHelper::SetFontSize(int points) {
  CHARFORMATA cf = Format(CFM_SIZE);
  cf.yHeight = PointsToTwips(points);
  return Apply(Editor(), cf);
}

int RichEditHelper::SetTextColor(int colour) {
  // dwEffects stays 0: CFE_AUTOCOLOR off, so the colour given is used.
  CHARFORMATA cf = Format(CFM_COLOR);
  cf.crTextColor = static_cast<COLORREF>(colour);
  return Apply(Editor(), cf);
}

int RichEditHelper::SetFontName(std::string_view faceName) {
  CHARFORMATA cf = Format(CFM_FACE);
  // The face and its zero byte, cut after 32 bytes in all.
  size_t n = std::min(faceName.substr(0, faceName.find('\0')).size(), sizeof cf.szFaceName - 1);
  std::memcpy(cf.szFaceName, faceName.data(), n);
  return Apply(Editor(), cf);
}

int RichEditHelper::SetCharOffset(int pixels) {
  CHARFORMATA cf = Format(CFM_OFFSET);
  cf.yOffset = OffsetPixelsToTwips(pixels);
  return Apply(Editor(), cf);
}

bool RichEditHelper::IsBold() { return HasEffect(CFM_BOLD); }
bool RichEditHelper::IsItalic() { return HasEffect(CFM_ITALIC); }
bool RichEditHelper::IsUnderline() { return HasEffect(CFM_UNDERLINE); }
bool RichEditHelper::IsStrikeout() { return HasEffect(CFM_STRIKEOUT); }
bool RichEditHelper::IsProtected() { return HasEffect(CFM_PROTECTED); }

int RichEditHelper::GetFontSize() {
  CHARFORMATA cf = Format(CFM_SIZE);
  return Read(Editor(), cf) ? TwipsToPoints(cf.yHeight) : 0;
}

int RichEditHelper::GetTextColor() {
  CHARFORMATA cf = Format(CFM_COLOR);
  return Read(Editor(), cf) ? static_cast<int>(cf.crTextColor) : 0;
}

std::string RichEditHelper::GetFontName() {
  CHARFORMATA cf = Format(CFM_FACE);
  if (!Read(Editor(), cf)) return {};
  return std::string(cf.szFaceName, strnlen(cf.szFaceName, sizeof cf.szFaceName));
}

int RichEditHelper::GetCharOffset() {
  CHARFORMATA cf = Format(CFM_OFFSET);
  return Read(Editor(), cf) ? OffsetTwipsToPixels(cf.yOffset) : 0;
}

}  // namespace richedit
