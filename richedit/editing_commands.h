// The editing and formatting commands of the menu "程序"; each reaches the editor whichever
// control has the focus.
#pragma once
#include "runtime/font_dialog.h"

namespace richedit {

void OnUndo();
void OnCopy();
void OnCut();
void OnSelectAll();
void OnPaste();
void OnRed();
void OnBlue();
void OnYellow();
void OnBlack();
void OnBold();
void OnItalic();
void OnUnderline();
void OnChooseFont();

// The font dialog 通用对话框1 of MainWindow: first 微软雅黑 at 10 points, then the last confirmed choice.
rt::FontDialog& FontDialogComponent();

// Start-up: new text in the empty editor takes 微软雅黑 at 10 points.
void ApplyDefaultFont();

}  // namespace richedit
