// Which link texts may be handed to the shell.
#pragma once
#include <string_view>

namespace app {

// True for web and mail addresses only: "http://", "https://", "ftp://", "mailto:" (in any case)
// and "www." addresses, with something after the prefix and no blank, control character or
// double quote anywhere. Notes come from other people, and the shell "opens" a program or a
// file path by running it, so every other link text (file:, UNC paths, other schemes) is refused.
bool IsWebOrMailAddress(std::string_view text);

}  // namespace app
