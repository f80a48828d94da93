#include "richedit/editing_commands.h"

#include <windows.h>

#include "app/ids.h"
#include "runtime/window.h"

namespace richedit {
namespace {

void SendToEditor(UINT msg, WPARAM wParam, LPARAM lParam) {
  SendMessageA(rt::ControlHandle(app::kMainWindow, app::kEditor), msg, wParam, lParam);
}

}  // namespace

void OnUndo() { SendToEditor(EM_UNDO, 0, 0); }
void OnCopy() { SendToEditor(WM_COPY, 0, 0); }
void OnCut() { SendToEditor(WM_CUT, 0, 0); }
void OnSelectAll() { SendToEditor(EM_SETSEL, 0, -1); }
void OnPaste() { SendToEditor(WM_PASTE, 0, 0); }
void OnRed() {}
void OnBlue() {}
void OnYellow() {}
void OnBlack() {}
void OnBold() {}
void OnItalic() {}
void OnUnderline() {}
void OnChooseFont() {}
void ApplyDefaultFont() {}

}  // namespace richedit
