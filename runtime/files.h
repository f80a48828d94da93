// File and path utilities; paths are ANSI texts.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace rt {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// Creates or truncates the file and writes the bytes; true when all of them were written.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
// True when something that is not a directory exists at the path.
bool FileExists(const std::string& path);

// The program file's full path, its directory (no trailing backslash) and its file name.
std::string ProgramPath();
std::string RunDirectory();
std::string ProgramFileName();

}  // namespace rt
