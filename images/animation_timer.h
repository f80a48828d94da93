// A one-shot timer on the container's window that calls back into the object that started it.
// The callback is a timer procedure, so the window's own procedure never sees these ticks.
#pragma once
#include <windows.h>

namespace images {

class AnimationTimer {
public:
  using Callback = void (*)(void* context);
  AnimationTimer(Callback callback, void* context) : callback_(callback), context_(context) {}
  AnimationTimer(const AnimationTimer&) = delete;
  AnimationTimer& operator=(const AnimationTimer&) = delete;
  ~AnimationTimer();

  // Fires once after `delayMs`, unless stopped first; false when the window takes no timer.
  bool Start(HWND window, UINT delayMs);
  void Stop();
  bool Running() const { return window_ != nullptr; }

private:
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

  Callback callback_;
  void* context_;
  HWND window_ = nullptr;
};

}  // namespace images
