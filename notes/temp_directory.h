// The system's temporary directory.
#pragma once
#include <string>

namespace notes {

// The temporary directory with the trailing backslash that GetTempPathA gives it.
std::string GetTempDirectory();

}  // namespace notes
