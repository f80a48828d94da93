// Opening web addresses in the editor on a double-click or a Ctrl+click.
#pragma once

namespace app {

// Replaces MainWindow's window procedure with MainWindowProc, keeping the previous one.
void InstallMainWindowProc();

}  // namespace app
