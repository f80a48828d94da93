#include "notes/drive_path.h"

namespace notes {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Collapses doubled separators so that C:\\ counts as the drive root it names.
void CollapseSeparators(std::string& path) {
  while (path.find("\\\\") != std::string::npos) ReplaceAll(path, "\\\\", "\\");
  while (path.find("//") != std::string::npos) ReplaceAll(path, "//", "/");
}

}  // namespace

bool IsAbsoluteDrivePath(const std::string& path, bool rejectDriveRoot) {
  std::string copy = path;
  CollapseSeparators(copy);
  if (copy.empty()) return false;
  char first = copy[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  if (first < 'A' || first > 'Z') return false;
  if (copy.find(":\\") == std::string::npos && copy.find(":/") == std::string::npos) return false;
  if (!rejectDriveRoot) return true;
  CollapseSeparators(copy);
  return copy.size() != 3;
}

}  // namespace notes
