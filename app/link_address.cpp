#include "app/link_address.h"

namespace app {
namespace {

constexpr std::string_view kAllowedPrefixes[] = {"http://", "https://", "ftp://", "mailto:", "www."};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != prefix[i]) return false;
  return true;
}

}  // namespace

bool IsWebOrMailAddress(std::string_view text) {
  // A blank or a quote would let the text spill into further arguments of the handler's command.
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || c == '"') return false;
  }
  for (std::string_view prefix : kAllowedPrefixes)
    if (StartsWithIgnoringCase(text, prefix) && text.size() > prefix.size()) return true;
  return false;
}

}  // namespace app
