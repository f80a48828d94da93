// Units of the printer and drawing panel components: every measure is kept in device pixels and
// read or written in the component's current unit.
#pragma once

namespace rt {

enum DeviceUnit : int {
  kUnitPixels = 0,
  kUnitTwips = 1,
  kUnitHundredthsOfAnInch = 3,
};

bool IsKnownUnit(int unit);
// Device pixels at `dpi` into `unit` and back; MulDiv rounds.
int PixelsToUnit(int pixels, int unit, int dpi);
int UnitToPixels(int value, int unit, int dpi);

}  // namespace rt
