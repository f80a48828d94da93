#include "ole/text_to_utf16.h"

#include <windows.h>

#include <string>

namespace ole {

std::vector<wchar_t> TextToUtf16(std::string_view text) {
  constexpr UINT kGbk = 936;
  // The text ends at its first zero byte, as a C string would.
  std::string terminated(text.substr(0, text.find('\0')));
  int n = MultiByteToWideChar(kGbk, 0, terminated.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> block(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(kGbk, 0, terminated.c_str(), -1, block.data(), n);
  return block;
}

}  // namespace ole
