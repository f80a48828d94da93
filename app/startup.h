// Program entry and the start-up sequence that runs when MainWindow has been created.
#pragma once

namespace app {

// Runs the program; returns its exit code.
int ProgramMain();

// MainWindow's creation-complete event.
void OnMainWindowCreated();

}  // namespace app
