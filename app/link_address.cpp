#include "app/link_address.h"

namespace app {
namespace {

constexpr std::string_view kSchemes[] = {"http://", "https://", "ftp://", "mailto:"};
constexpr std::string_view kWebHostPrefix = "www.";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text begins with the prefix (in any case) and goes on after it.
bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (text.size() <= prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != prefix[i]) return false;
  return true;
}

}  // namespace

std::optional<std::string> ShellAddressForLink(std::string_view text) {
  // A blank or a quote would let the text spill into further arguments of the handler's command.
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || c == '"') return std::nullopt;
  }
  for (std::string_view scheme : kSchemes)
    if (BeginsWith(text, scheme)) return std::string(text);
  if (BeginsWith(text, kWebHostPrefix)) return "http://" + std::string(text);
  return std::nullopt;
}

}  // namespace app
