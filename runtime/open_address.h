// Handing an address to the shell, which opens it with the user's handler for it (the browser
// for a web address, the mail program for a mail address).
#pragma once
#include <functional>
#include <string>

namespace rt {

// The shell's "open" verb on the address, shown normally. The outcome is not reported: whatever
// the shell cannot open, it reports itself.
void OpenAddress(const std::string& address);

// Tests watch the shell boundary: while an opener is set, OpenAddress hands the address to it
// instead of the shell. An empty function restores the shell.
using AddressOpener = std::function<void(const std::string&)>;
void SetAddressOpenerForTesting(AddressOpener opener);

}  // namespace rt
