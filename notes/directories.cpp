#include "notes/directories.h"

#include <windows.h>
#include <dbghelp.h>
#include <shlwapi.h>

#include "notes/message_pump.h"
#include "runtime/scoped_win.h"
#include "runtime/text.h"

namespace notes {
namespace {

bool IsDirectoryEntry(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls visit for every entry that matches directory + pattern.
template <typename Visit>
void Enumerate(const std::string& directory, const std::string& pattern, Visit visit) {
  WIN32_FIND_DATAA entry{};
  rt::ScopedFind find(FindFirstFileA((directory + pattern).c_str(), &entry));
  if (!find) return;
  do {
    visit(entry);
  } while (FindNextFileA(find.get(), &entry));
}

// Serving the queue asks the window system even when the queue is empty, and that costs more than
// listing a file: the queue is served after an entry only once this many milliseconds have passed
// since it was last served, which keeps the window just as responsive.
constexpr DWORD kPumpIntervalMs = 10;

DWORD& LastPump() {
  static DWORD last = GetTickCount();
  return last;
}

void Pump() {
  PumpMessages();
  LastPump() = GetTickCount();
}

}  // namespace

std::vector<std::string> ListSubdirectories(std::string directory) {
  directory = rt::WithTrailingBackslash(std::move(directory));
  std::vector<std::string> names;
  Enumerate(directory, "*.*", [&](const WIN32_FIND_DATAA& entry) {
    if (IsDirectoryEntry(entry) && entry.cFileName[0] != '.') names.emplace_back(entry.cFileName);
  });
  return names;
}

std::vector<std::string> ListFiles(std::string directory, const std::string& pattern) {
  directory = rt::WithTrailingBackslash(std::move(directory));
  std::vector<std::string> names;
  Enumerate(directory, pattern, [&](const WIN32_FIND_DATAA& entry) {
    if (IsDirectoryEntry(entry)) return;
    names.emplace_back(entry.cFileName);
    // Keeps the window painted and responsive while a large store is read.
    if (GetTickCount() - LastPump() >= kPumpIntervalMs) Pump();
  });
  Pump();
  return names;
}

bool IsDirectory(const std::string& path) {
  return PathIsDirectoryA(path.c_str()) == FILE_ATTRIBUTE_DIRECTORY;
}

bool EnsureDirectoryPath(std::string path) {
  // MakeSureDirectoryPathExists creates only the directories named before the last backslash.
  path = rt::WithTrailingBackslash(std::move(path));
  return MakeSureDirectoryPathExists(path.c_str()) != FALSE;
}

}  // namespace notes
