// Directory helpers of the note store: listing folders and notes, testing and creating directories.
#pragma once
#include <string>
#include <vector>

namespace notes {

// Names of the directory's sub-directories, in enumeration order, without those whose name
// begins with "." (which covers "." and "..").
std::vector<std::string> ListSubdirectories(std::string directory);
// Names of the entries that are not directories and match the pattern, in enumeration order;
// serves the queued window messages while it lists (after an entry once 10 ms have passed since
// they were last served) and when it is done.
std::vector<std::string> ListFiles(std::string directory, const std::string& pattern);

// True exactly when PathIsDirectoryA answers FILE_ATTRIBUTE_DIRECTORY.
bool IsDirectory(const std::string& path);
// Creates every missing directory of the path; true on success.
bool EnsureDirectoryPath(std::string path);

}  // namespace notes
