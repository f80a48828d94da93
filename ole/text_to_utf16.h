// Text arguments of wide-string COM methods.
#pragma once
#include <string_view>
#include <vector>

namespace ole {

// The text converted from code page 936 (whatever the system's ANSI code page is) to UTF-16,
// terminating zero included.
std::vector<wchar_t> TextToUtf16(std::string_view text);

}  // namespace ole
