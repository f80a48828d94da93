// Which link texts may be handed to the shell, and as what.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The address to hand to the shell for a link text, or nothing. Only web and mail addresses
// qualify: "http://", "https://", "ftp://", "mailto:" (in any case) and "www." addresses, with
// something after the prefix and no blank, control character or double quote anywhere. Notes
// come from other people, and the shell "opens" a program or a file path by running it, so every
// other link text (file:, UNC paths, other schemes) gives nothing. The address is the text as it
// stands, except that a "www." address gets "http://" in front: without a scheme the shell would
// first look for a file of that name ("www.example.com" is a valid program name) and run it.
std::optional<std::string> ShellAddressForLink(std::string_view text);

}  // namespace app
