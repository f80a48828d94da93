#include "richedit/editing_commands.h"

#include <windows.h>
#include <richedit.h>

#include "app/globals.h"
#include "app/ids.h"
#include "runtime/window.h"

namespace richedit {
namespace {

constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;
constexpr int kYellow = 0x00FFFF;
constexpr int kBlack = 0x000000;

constexpr char kDefaultFace[] = "微软雅黑";
constexpr int kDefaultSize = 10;

void SendToEditor(UINT msg, WPARAM wParam, LPARAM lParam) {
  SendMessageA(rt::ControlHandle(app::kMainWindow, app::kEditor), msg, wParam, lParam);
}

}  // namespace

rt::FontDialog& FontDialogComponent() {
  // The choices the user confirmed last live as long as the run.
  static rt::FontDialog dialog(app::kMainWindow, app::kFontDialog, {kDefaultFace, kDefaultSize, 0});
  return dialog;
}

void OnUndo() { SendToEditor(EM_UNDO, 0, 0); }
void OnCopy() { SendToEditor(WM_COPY, 0, 0); }
void OnCut() { SendToEditor(WM_CUT, 0, 0); }
void OnSelectAll() { SendToEditor(EM_SETSEL, 0, -1); }
void OnPaste() { SendToEditor(WM_PASTE, 0, 0); }
void OnRed() { app::Editor().SetTextColor(kRed); }
void OnBlue() { app::Editor().SetTextColor(kBlue); }
void OnYellow() { app::Editor().SetTextColor(kYellow); }
void OnBlack() { app::Editor().SetTextColor(kBlack); }
void OnBold() { app::Editor().SetBold(true); }
void OnItalic() { app::Editor().SetItalic(true); }
void OnUnderline() { app::Editor().SetUnderline(true); }

void OnChooseFont() {
  rt::FontDialog& dialog = FontDialogComponent();
  if (dialog.Open() != 1) return;
  // Only the face and the size reach the text; colour and effects chosen there do not.
  app::Editor().SetFontSize(dialog.Size());
  app::Editor().SetFontName(dialog.Face());
}

void ApplyDefaultFont() {
  app::Editor().SetFontName(kDefaultFace);
  app::Editor().SetFontSize(kDefaultSize);
}

}  // namespace richedit
