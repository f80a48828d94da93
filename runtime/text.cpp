#include "runtime/text.h"

#include <windows.h>

namespace rt {

std::string TextFromBytes(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string ToDecimal(long long value) { return std::to_string(value); }

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

size_t FindLastBackslash(std::string_view text) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
      ++i;
    } else if (text[i] == '\\') {
      found = i;
    }
  }
  return found;
}

bool EndsWithBackslash(std::string_view text) {
  return !text.empty() && FindLastBackslash(text) == text.size() - 1;
}

std::string WithTrailingBackslash(std::string text) {
  if (!EndsWithBackslash(text)) text += '\\';
  return text;
}

}  // namespace rt
