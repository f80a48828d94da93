#include "runtime/run_program.h"

#include <windows.h>

#include "runtime/scoped_win.h"

namespace rt {

bool RunProgram(const std::string& commandLine, bool wait, int showMode) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION info{};
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  ScopedHandle process(info.hProcess);
  ScopedHandle thread(info.hThread);
  if (wait) WaitForSingleObject(process.get(), INFINITE);
  return true;
}

}  // namespace rt
