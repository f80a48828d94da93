// MainWindow: the tree of notes and the editor on a one-page tab control, with its menus.
#pragma once
#include "runtime/design.h"
#include "runtime/window.h"

namespace app {

rt::WindowDesign MainWindowDesign();

// The one MainWindow, with its layout, menu commands and control events attached; created by
// the caller.
rt::Window& MainWindow();

// Fits the tab control, the tree and the editor to the window's outer size.
void LayoutMainWindow();

}  // namespace app
