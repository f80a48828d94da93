// The Windows system directory.
#pragma once
#include <string>

namespace rt {

// The directory GetSystemDirectory names, ending in a backslash; empty if it cannot be had.
std::string SystemDirectory();

}  // namespace rt
