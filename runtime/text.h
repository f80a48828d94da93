// Texts are byte strings in the ANSI code page (936); these turn bytes and wide strings into them.
#pragma once
#include <string>
#include <string_view>

namespace rt {

// The text that file bytes stand for: everything before the first zero byte.
std::string TextFromBytes(std::string_view bytes);

// ANSI text <-> UTF-16 in the system's ANSI code page.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Decimal form of an integer: sign when negative, no leading zeros.
std::string ToDecimal(long long value);

bool EndsWith(std::string_view text, std::string_view tail);

// Backslash searches that never take the trail byte of a double-byte character (which can be
// 0x5C in code page 936) for a backslash.
size_t FindLastBackslash(std::string_view text);  // npos when there is none
bool EndsWithBackslash(std::string_view text);
// Appends a backslash unless the text already ends with one.
std::string WithTrailingBackslash(std::string text);

}  // namespace rt
