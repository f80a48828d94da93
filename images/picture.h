// A decoded picture: its size and its frames, each composited once into a bitmap of the full size.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "images/frame_bitmap.h"

namespace images {

// Limits that keep a hostile or broken file from taking the process's memory or time.
inline constexpr UINT kMaxSide = 16384;
inline constexpr uint64_t kMaxPixels = 64ull * 1024 * 1024;
inline constexpr UINT kMaxFrames = 4096;
// An animation also needs a working canvas and the area under a frame besides its frames.
inline constexpr uint64_t kMaxAnimationPixels = 16ull * 1024 * 1024;
// Frames beyond this many bytes of composited bitmaps are dropped: the animation plays the first ones.
inline constexpr uint64_t kMaxFrameCacheBytes = 256ull * 1024 * 1024;
inline constexpr uint64_t kMaxFileBytes = 256ull * 1024 * 1024;

// Browsers show frames that ask for 0 or 10 ms for 100 ms instead.
inline constexpr UINT kMinimumDelayMs = 20;
inline constexpr UINT kFlooredDelayMs = 100;

struct PictureFrame {
  FrameBitmap bitmap;
  UINT delayMs = kFlooredDelayMs;
};

struct Picture {
  UINT width = 0;
  UINT height = 0;
  std::vector<PictureFrame> frames;
  // How many times an animation plays in all; 0 plays it without end.
  UINT plays = 1;

  bool Empty() const { return frames.empty(); }
  bool Animated() const { return frames.size() > 1; }
};

}  // namespace images
