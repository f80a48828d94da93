#include "runtime/font_dialog.h"

#include <commdlg.h>

#include <cstring>
#include <utility>

#include "runtime/scoped_win.h"
#include "runtime/window.h"

namespace rt {
namespace {

int ScreenDpiY() {
  ScopedGetDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace

FontDialog::FontDialog(int windowId, int controlId, FontChoice initial)
    : windowId_(windowId), controlId_(controlId), choice_(std::move(initial)) {}

int FontDialog::Open() {
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = -MulDiv(choice_.size, ScreenDpiY(), 72);
  font.lfWeight = choice_.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = choice_.italic;
  font.lfUnderline = choice_.underline;
  font.lfStrikeOut = choice_.strikeout;
  font.lfCharSet = DEFAULT_CHARSET;
  choice_.face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);

  Window* owner = FindWindowById(windowId_);
  CHOOSEFONTA dialog;
  std::memset(&dialog, 0, sizeof dialog);
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner ? owner->Handle() : nullptr;
  dialog.lpLogFont = &font;
  dialog.iPointSize = choice_.size * 10;
  dialog.rgbColors = choice_.colour;
  dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&dialog)) return 0;

  choice_.face = font.lfFaceName;
  choice_.size = dialog.iPointSize / 10;
  choice_.colour = dialog.rgbColors;
  choice_.bold = font.lfWeight >= FW_BOLD;
  choice_.italic = font.lfItalic != 0;
  choice_.underline = font.lfUnderline != 0;
  choice_.strikeout = font.lfStrikeOut != 0;
  return 1;
}

}  // namespace rt
