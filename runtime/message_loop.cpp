#include "runtime/message_loop.h"

#include <windows.h>

#include "runtime/window.h"

namespace rt {
namespace {

std::function<void()>& ExitRoutine() {
  static std::function<void()> routine;
  return routine;
}

}  // namespace

void SetExitRoutine(std::function<void()> routine) { ExitRoutine() = std::move(routine); }

void RunExitRoutine() {
  auto routine = std::move(ExitRoutine());
  ExitRoutine() = nullptr;
  if (routine) routine();
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Accelerators belong to their window and work only while it is the active window.
    Window* active = FindWindowByHandle(GetActiveWindow());
    if (active && active->Accelerators() &&
        TranslateAcceleratorA(active->Handle(), active->Accelerators(), &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace rt
