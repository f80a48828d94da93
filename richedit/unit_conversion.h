// The editor's units: twips (1/1440 inch). Offsets count 15 twips to a screen pixel; point sizes
// go through the screen's vertical resolution and pixel widths through its horizontal one.
#pragma once

namespace richedit {

constexpr int kTwipsPerPixel = 15;

// The arithmetic, for a given resolution in dots per inch.
int PointsToTwipsAt(int points, int dpiY);
int TwipsToPointsAt(int twips, int dpiY);
int PixelsToTwipsAt(int pixels, int dpiX);
// Offsets at the fixed 15 twips a pixel; the division truncates toward zero.
int OffsetPixelsToTwips(int pixels);
int OffsetTwipsToPixels(int twips);
// Hundredths of an inch to twips (×14.4), truncated toward zero.
int HundredthsToTwips(int hundredths);

// The screen's resolution (GetDeviceCaps LOGPIXELSX / LOGPIXELSY), read at each call.
int ScreenDpiX();
int ScreenDpiY();

}  // namespace richedit
