// Menu bars and accelerator tables built from menu designs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/design.h"

namespace rt {

// A menu bar with one popup per top-level entry; shortcuts are shown after a tab.
HMENU BuildMenuBar(const std::vector<MenuDesign>& menu);
// The accelerators of every entry that has a shortcut; null when there is none.
HACCEL BuildAccelerators(const std::vector<MenuDesign>& menu);
// "Ctrl+Z", "Ctrl+Shift+F5", "F1" ... into an accelerator entry; false when it does not parse.
bool ParseShortcut(const std::string& shortcut, ACCEL& accel);

// Shows a popup menu at a screen position, tracked with the right button too; the chosen item
// arrives at the owner as WM_COMMAND, like a menu bar command.
void TrackPopupAt(HMENU popup, HWND owner, POINT screen);

}  // namespace rt
