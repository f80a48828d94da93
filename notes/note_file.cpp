#include "notes/note_file.h"

#include <windows.h>

#include "runtime/scoped_win.h"
#include "runtime/text.h"

namespace notes {
namespace {

bool WriteAllAndFlush(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD done = 0;
    if (!WriteFile(file, bytes.data(), chunk, &done, nullptr) || done == 0) return false;
    bytes.remove_prefix(done);
  }
  return FlushFileBuffers(file) != FALSE;
}

// An existing note can be replaced only when it may be written and nobody holds it open without
// sharing; asking first keeps a rename from ever touching a note that Windows would refuse.
bool ExistingNoteCanBeReplaced(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  rt::ScopedFile probe(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(probe);
}

}  // namespace

bool SaveNoteFile(const std::string& path, std::string_view bytes) {
  if (!ExistingNoteCanBeReplaced(path)) return false;
  size_t slash = rt::FindLastBackslash(path);
  if (slash == std::string::npos) return false;
  const std::string folder = path.substr(0, slash);

  char temporary[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "xw", 0, temporary)) return false;
  bool written = false;
  {
    rt::ScopedFile file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAllAndFlush(file.get(), bytes);
  }
  if (written && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporary);
  return false;
}

bool CreateNoteFile(const std::string& path) {
  rt::ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD done = 0;
  return WriteFile(file.get(), " ", 1, &done, nullptr) && done == 1;
}

}  // namespace notes
