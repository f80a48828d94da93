// The ".xw" document type: its icon file and its registry entries.
#pragma once

namespace shell {

// Writes "xw.ico" into the system directory when it is missing there.
void EnsureIconFile();
// Registers ".xw" unless the classes root already maps it to "xwfile".
void EnsureDocumentType();

}  // namespace shell
