// Telling an absolute path on a drive (C:\x, d:/x) from anything else.
#pragma once
#include <string>

namespace notes {

// True for a path that begins with a drive letter and holds ":\" or ":/"; with rejectDriveRoot a
// bare drive root such as C:\ is refused as well. Network paths and empty paths are refused.
bool IsAbsoluteDrivePath(const std::string& path, bool rejectDriveRoot);

}  // namespace notes
