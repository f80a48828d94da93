// As a user would: after the program's first start, opening a ".xw" document from the shell starts
// the program with that document shown.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "app/ids.h"
#include "runtime/registry.h"
#include "runtime/system_directory.h"
#include "tests/shell/registry_fixture.h"
#include "tests/support/program.h"

namespace {

using shell_testing::DocumentTypeRegistry;
using testing_support::ProgramUnderTest;
using testing_support::WaitFor;
using testing_support::WindowText;
using testing_support::WriteTestFile;

struct Found {
  DWORD excludedProcess;
  std::string text;
  HWND window;
};

// A ready main window of another program process whose editor shows the text.
BOOL CALLBACK FindShowing(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (lstrcmpA(cls, "XwNotesWindow") != 0 || pid == found->excludedProcess || !GetPropA(hwnd, "XwNotesReady"))
    return TRUE;
  if (WindowText(GetDlgItem(hwnd, app::kEditor)) != found->text) return TRUE;
  found->window = hwnd;
  return FALSE;
}

TEST_F(DocumentTypeRegistry, AfterTheFirstStartTheShellOpensXwDocumentsWithTheProgram) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Close(), 0u);
  EXPECT_EQ(Classes(".xw\\"), "xwfile");
  EXPECT_EQ(Classes("xwfile\\shell\\open\\command\\"), "\"" + program.ProgramPath() + "\" \"%1\"");
  EXPECT_EQ(Classes("xwfile\\DefaultIcon\\"), rt::SystemDirectory() + "xw.ico,0");
  // The program file carries the icon.
  EXPECT_EQ(ExtractIconExA(program.ProgramPath().c_str(), -1, nullptr, nullptr, 0), 1u);

  // A document name with a blank and double-byte characters.
  const std::string document = program.RunDirectory() + "\\我的 笔记.xw";
  WriteTestFile(document, "{\\rtf1\\ansi opened from the shell}");
  std::string commandLine = "start.exe \"" + document + "\"";
  STARTUPINFOA si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &si, &pi));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  Found found{0, "opened from the shell", nullptr};
  EXPECT_TRUE(WaitFor([&] {
    EnumWindows(FindShowing, reinterpret_cast<LPARAM>(&found));
    return found.window != nullptr;
  }, 30000));
  if (!found.window) return;
  DWORD pid = 0;
  GetWindowThreadProcessId(found.window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  PostMessageA(found.window, WM_CLOSE, 0, 0);
  if (process) {
    if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
}

}  // namespace
