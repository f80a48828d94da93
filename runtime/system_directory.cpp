#include "runtime/system_directory.h"

#include <windows.h>

#include "runtime/text.h"

namespace rt {

std::string SystemDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    UINT n = GetSystemDirectoryA(path.data(), static_cast<UINT>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return WithTrailingBackslash(path);
    }
    path.resize(n);  // too small: n is the size needed
  }
}

}  // namespace rt
