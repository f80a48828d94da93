// What the screen shows, read back as pixels.
#pragma once
#include <windows.h>

#include <cstdint>

#include "tests/pictures/picture_files.h"

namespace pictures_test {

// The pixels of a screen rectangle as they are displayed now.
Pixels CaptureScreen(const RECT& screen);
// The client area of a window, in screen pixels.
Pixels CaptureClient(HWND hwnd);

// Where pixels close to a colour lie: how many, and their bounding box (empty when none).
struct ColourArea {
  int count = 0;
  RECT box{0, 0, 0, 0};
  int Width() const { return count ? box.right - box.left : 0; }
  int Height() const { return count ? box.bottom - box.top : 0; }
};
ColourArea FindColour(const Pixels& shot, std::uint32_t rgb, int tolerance);
bool Near(std::uint32_t a, std::uint32_t b, int tolerance);

}  // namespace pictures_test
