#include "richedit/unit_conversion.h"

#include <windows.h>

#include "runtime/scoped_win.h"

namespace richedit {
namespace {

int ScreenCaps(int index) {
  rt::ScopedGetDC screen(nullptr);
  return GetDeviceCaps(screen.get(), index);
}

// Real-valued steps are computed in double precision and truncated toward zero.
int Truncate(double value) { return static_cast<int>(value); }

}  // namespace

int PointsToTwipsAt(int points, int dpiY) {
  // Whole screen pixels first, then 15 twips to the pixel: 10 points at 96 dpi are 195 twips.
  return Truncate(static_cast<double>(MulDiv(points, dpiY, 72)) * kTwipsPerPixel);
}

int TwipsToPointsAt(int twips, int dpiY) {
  return MulDiv(Truncate(static_cast<double>(twips) / kTwipsPerPixel), 72, dpiY);
}

int PixelsToTwipsAt(int pixels, int dpiX) { return MulDiv(pixels, 1440, dpiX); }

int OffsetPixelsToTwips(int pixels) { return Truncate(static_cast<double>(pixels) * kTwipsPerPixel); }

int OffsetTwipsToPixels(int twips) { return Truncate(static_cast<double>(twips) / kTwipsPerPixel); }

int HundredthsToTwips(int hundredths) { return Truncate(static_cast<double>(hundredths) * 14.4); }

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }

}  // namespace richedit
