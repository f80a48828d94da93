// Starting another program.
#pragma once
#include <string>

namespace rt {

// Starts the command line (no application name) with its window shown as showMode (SW_*) and,
// when wait is set, returns only once the process has ended. False when it could not start.
bool RunProgram(const std::string& commandLine, bool wait, int showMode);

}  // namespace rt
