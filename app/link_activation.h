// Opening web addresses in the editor on a double-click or a Ctrl+click.
#pragma once
#include <windows.h>

namespace app {

// Replaces MainWindow's window procedure with MainWindowProc, keeping the previous one. The
// editor is a child of MainWindow itself (the tab control only lies beneath it), so its EN_LINK
// notifications arrive here.
void InstallMainWindowProc();

// Opens the link of an EN_LINK notification for a double-click, or for a left-button release with
// Ctrl held; hands every message on to the previous procedure and returns what that returns.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace app
