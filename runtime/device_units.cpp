#include "runtime/device_units.h"

#include <windows.h>

namespace rt {
namespace {

int PerInch(int unit) { return unit == kUnitTwips ? 1440 : 100; }

}  // namespace

bool IsKnownUnit(int unit) {
  return unit == kUnitPixels || unit == kUnitTwips || unit == kUnitHundredthsOfAnInch;
}

int PixelsToUnit(int pixels, int unit, int dpi) {
  if (unit == kUnitPixels || dpi <= 0) return pixels;
  return MulDiv(pixels, PerInch(unit), dpi);
}

int UnitToPixels(int value, int unit, int dpi) {
  if (unit == kUnitPixels || dpi <= 0) return value;
  return MulDiv(value, dpi, PerInch(unit));
}

}  // namespace rt
