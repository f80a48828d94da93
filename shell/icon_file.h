// The ".xw" document icon that the program carries, and where it is written out.
#pragma once
#include <string>

namespace shell {

// The icon file's bytes, rebuilt from the program's icon resource (resource id 1, the same icon
// the main window shows): five images of 128, 64, 48, 32 and 16 pixels, 99,678 bytes. Empty when
// the running module carries no such icon.
std::string IconFileBytes();

// The system directory followed by "xw.ico"; empty when the system directory is unknown.
std::string IconPath();

}  // namespace shell
