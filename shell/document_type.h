// The ".xw" document type: its icon file and its registry entries.
#pragma once
#include <string>

namespace shell {

// Writes "xw.ico" into the system directory when no file of that name is there; an existing one
// is left as it is, whatever it holds.
void EnsureIconFile();

// Registers ".xw" unless the classes root already maps it to "xwfile" (compared byte for byte).
void EnsureDocumentType();

// Maps "." + typeName to typeName + "file", with the icon and the open command `"<program path>"
// "%1"`, under HKEY_CLASSES_ROOT; with reset, first clears the current user's open-with choices
// for the extension. Tells the shell once, after the last write. False as soon as a write fails.
bool RegisterDocumentType(const std::string& programPath, const std::string& typeName,
                          const std::string& iconPath, bool reset);

}  // namespace shell
