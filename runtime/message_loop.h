// The program's message loop and its exit routine.
#pragma once
#include <functional>

namespace rt {

// Registers the routine that runs once when the program ends (after the loop has returned).
void SetExitRoutine(std::function<void()> routine);
// Runs the exit routine if it has not run yet.
void RunExitRoutine();

// Serves messages until WM_QUIT; keyboard accelerators go to the active window that has them.
// Returns the quit code.
int RunMessageLoop();

}  // namespace rt
