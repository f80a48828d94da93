#include "tests/support/program.h"

#include <richedit.h>

#include <cstring>

#include "runtime/files.h"

namespace testing_support {
namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == search->processId && lstrcmpA(cls, "XwNotesWindow") == 0 && GetPropA(hwnd, "XwNotesReady")) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest() {
  CopyFileA((rt::RunDirectory() + "\\xwnotes.exe").c_str(), ProgramPath().c_str(), FALSE);
}

ProgramUnderTest::~ProgramUnderTest() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool ProgramUnderTest::Start(const std::string& arguments) {
  std::string commandLine = "\"" + ProgramPath() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      RunDirectory().c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  processId_ = pi.dwProcessId;
  return WaitFor([this] {
    Search search{processId_, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    mainWindow_ = search.found;
    return mainWindow_ != nullptr;
  }, 30000);
}

DWORD ProgramUnderTest::Close() {
  if (!process_) return ~0u;
  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) return ~0u;
  DWORD code = ~0u;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

void ServeMessagesFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

std::string DocumentRtf(HWND box) {
  std::string out;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0,
                    [](DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) -> DWORD {
                      reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer), count);
                      *taken = count;
                      return 0;
                    }};
  SendMessageA(box, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return out;
}

std::string WindowText(HWND hwnd) {
  // Across processes the returned count is not reliable for double-byte text: size generously
  // and stop at the terminator.
  size_t length = static_cast<size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::string text(4 * length + 16, '\0');
  SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(strlen(text.c_str()));
  return text;
}

}  // namespace testing_support
