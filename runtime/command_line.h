// The program's arguments as the start-up reads them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Splits a whole command line (program path first) and returns the arguments after the program
// path. An argument that begins with a double quote runs to the next double quote and is taken
// without its quotes; any other ends before a byte of code 32 or below or a double quote. A
// double-byte character is never split.
std::vector<std::string> ParseArguments(std::string_view commandLine);

// ParseArguments(GetCommandLineA()).
std::vector<std::string> ProgramArguments();

}  // namespace rt
