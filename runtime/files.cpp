#include "runtime/files.h"

#include <windows.h>

#include "runtime/scoped_win.h"
#include "runtime/text.h"

namespace rt {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)))
    return std::nullopt;
  bytes.resize(done);
  return bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD done = 0;
  if (bytes.empty()) return true;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
         done == bytes.size();
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string RunDirectory() {
  std::string path = ProgramPath();
  size_t slash = FindLastBackslash(path);
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ProgramFileName() {
  std::string path = ProgramPath();
  size_t slash = FindLastBackslash(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace rt
