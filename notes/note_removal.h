// Removing notes and folders from the store.
#pragma once
#include <string>

namespace notes {

// Removes a folder and everything in it through a batch script in the temporary directory, run
// hidden; returns once the script has ended. A path that is not an absolute path on a drive, a
// drive root, or not an existing directory is left alone.
void RemoveFolderTree(const std::string& folderPath);

}  // namespace notes
