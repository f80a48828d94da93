#include "notes/content_directory.h"

#include <windows.h>

#include "notes/directories.h"
#include "runtime/files.h"

namespace notes {
namespace {

std::string& RunDirectoryOverride() {
  static std::string directory;
  return directory;
}

std::string NotesRunDirectory() {
  return RunDirectoryOverride().empty() ? rt::RunDirectory() : RunDirectoryOverride();
}

}  // namespace

std::string ContentRoot() { return NotesRunDirectory() + "\\content\\"; }

void SetRunDirectoryOverride(std::string directory) { RunDirectoryOverride() = std::move(directory); }

void EnsureContentDirectory() {
  const std::string run = NotesRunDirectory();
  if (IsDirectory(run + "\\content\\")) return;
  CreateDirectoryA((run + "\\content").c_str(), nullptr);
  CreateDirectoryA((run + "\\content\\默认").c_str(), nullptr);
}

}  // namespace notes
