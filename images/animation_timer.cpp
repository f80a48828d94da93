#include "images/animation_timer.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace images {
namespace {

// Timers that are running; a tick is only delivered to a timer that is still in this list.
std::mutex g_lock;
std::vector<AnimationTimer*> g_running;

UINT_PTR TimerId(const AnimationTimer* timer) { return reinterpret_cast<UINT_PTR>(timer); }

}  // namespace

AnimationTimer::~AnimationTimer() { Stop(); }

bool AnimationTimer::Start(HWND window, UINT delayMs) {
  Stop();
  if (!window || !SetTimer(window, TimerId(this), delayMs, &AnimationTimer::OnTimer)) return false;
  window_ = window;
  std::lock_guard<std::mutex> guard(g_lock);
  g_running.push_back(this);
  return true;
}

void AnimationTimer::Stop() {
  if (!window_) return;
  KillTimer(window_, TimerId(this));
  window_ = nullptr;
  std::lock_guard<std::mutex> guard(g_lock);
  g_running.erase(std::remove(g_running.begin(), g_running.end(), this), g_running.end());
}

void CALLBACK AnimationTimer::OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  AnimationTimer* timer = nullptr;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    for (AnimationTimer* running : g_running) {
      if (TimerId(running) == id && running->window_ == window) timer = running;
    }
  }
  if (!timer) {
    KillTimer(window, id);
    return;
  }
  timer->Stop();
  timer->callback_(timer->context_);
}

}  // namespace images
