#include "notes/temp_directory.h"

#include <windows.h>

namespace notes {

std::string GetTempDirectory() {
  char buffer[256] = {};
  GetTempPathA(255, buffer);
  return buffer;
}

}  // namespace notes
