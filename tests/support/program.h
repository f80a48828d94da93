// The program started as its own process from a temporary run directory, as a user starts it.
#pragma once
#include <windows.h>

#include <string>

#include "runtime/scoped_win.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class ProgramUnderTest {
public:
  // Copies xwnotes.exe (from beside the test binary) into a fresh run directory.
  ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
  ~ProgramUnderTest();

  const std::string& RunDirectory() const { return runDir_.Path(); }
  std::string ProgramPath() const { return runDir_.Path() + "\\xwnotes.exe"; }

  // Starts the program with the given argument text and waits until its start-up has finished.
  // Returns false when no main window appeared in time.
  bool Start(const std::string& arguments = "");
  HWND MainWindow() const { return mainWindow_; }
  // A control of the main window by its id.
  HWND Control(int id) const { return GetDlgItem(mainWindow_, id); }
  // Closes the main window as the close box would and returns the exit code (or ~0u on timeout).
  DWORD Close();

private:
  TempDir runDir_;
  rt::ScopedHandle process_;
  DWORD processId_ = 0;
  HWND mainWindow_ = nullptr;
};

// Waits until the condition holds, serving this thread's messages; false on timeout.
template <typename F>
bool WaitFor(F condition, DWORD timeoutMs = 10000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// Serves this thread's messages for the given time, waking as soon as one arrives.
void ServeMessagesFor(DWORD ms);

// The whole document of a rich edit box of this process as RTF, whatever its content format.
std::string DocumentRtf(HWND box);

// The text of a window of any process (WM_GETTEXT is marshalled across processes).
std::string WindowText(HWND hwnd);

}  // namespace testing_support
