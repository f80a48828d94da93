#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/message_loop.h"
#include "runtime/window.h"

namespace {

void PressCtrlWith(WORD key) {
  INPUT input[4] = {};
  for (INPUT& i : input) i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = VK_CONTROL;
  input[1].ki.wVk = key;
  input[2].ki.wVk = key;
  input[2].ki.dwFlags = KEYEVENTF_KEYUP;
  input[3].ki.wVk = VK_CONTROL;
  input[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, input, sizeof(INPUT));
}

TEST(MessageLoop, ShortcutRunsTheCommandOfTheActiveWindow) {
  rt::WindowDesign design;
  design.caption = "accelerators";
  design.width = 300;
  design.height = 200;
  design.menu = {{0, "Menu", "", {{7, "Save", "Ctrl+S", {}}}}};
  design.controls = {{1, rt::ControlKind::EditBox, "edit", 10, 10, 200, 24}};
  rt::Window window(50, design);
  int runs = 0;
  window.OnCommand(7, [&] {
    ++runs;
    PostQuitMessage(0);
  });
  ASSERT_TRUE(window.Create());
  SetForegroundWindow(window.Handle());
  SetFocus(window.Control(1));  // the shortcut works whichever control has the focus
  PressCtrlWith('S');
  SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); });
  EXPECT_EQ(rt::RunMessageLoop(), 0);
  EXPECT_EQ(runs, 1);
  window.Close();
}

TEST(ExitRoutine, RunsOnce) {
  int runs = 0;
  rt::SetExitRoutine([&] { ++runs; });
  rt::RunExitRoutine();
  rt::RunExitRoutine();
  EXPECT_EQ(runs, 1);
}

}  // namespace
