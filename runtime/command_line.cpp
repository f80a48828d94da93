#include "runtime/command_line.h"

#include <windows.h>

namespace rt {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::vector<std::string> ParseArguments(std::string_view line) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      ++i;
      continue;
    }
    std::string token;
    bool quoted = line[i] == '"';
    if (quoted) ++i;
    while (i < line.size()) {
      char c = line[i];
      if (c == '"') {
        if (quoted) ++i;  // the closing quote belongs to this argument
        break;
      }
      if (!quoted && IsSeparator(c)) break;
      if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < line.size()) {
        token.append(line.substr(i, 2));
        i += 2;
      } else {
        token += c;
        ++i;
      }
    }
    tokens.push_back(std::move(token));
  }
  if (!tokens.empty()) tokens.erase(tokens.begin());  // the program's own path
  return tokens;
}

std::vector<std::string> ProgramArguments() { return ParseArguments(GetCommandLineA()); }

}  // namespace rt
