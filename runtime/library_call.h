// Calls of functions exported by libraries, by name.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace rt {

// Loads the library at `path`, calls its export `function`, which takes no argument and returns
// a 32-bit result (an HRESULT for the COM server entries), and unloads it again. Nothing when the
// library cannot be loaded or has no such export.
std::optional<HRESULT> CallLibraryFunction(const std::string& path, const char* function);

}  // namespace rt
