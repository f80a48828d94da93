// The printer component: a printer's device context with its page and margins, measured in the
// component's current unit. Addressed like a control, by its window's id and its own.
#pragma once
#include <windows.h>

#include "runtime/device_units.h"

namespace rt {

// A page in device pixels of the printer.
struct PageSetup {
  int dpiX = 0, dpiY = 0;
  int width = 0, height = 0;  // the whole sheet
  int leftMargin = 0, topMargin = 0, rightMargin = 0, bottomMargin = 0;
};

class Printer {
public:
  Printer(int windowId, int controlId);
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  ~Printer();

  // The system's default printer; its margins are the parts of the sheet it cannot print on.
  // False when there is none.
  bool OpenDefault();
  // A device context the caller keeps (a print-preview or a test surface) with its page.
  void UseDevice(HDC dc, const PageSetup& page);

  int Unit() const { return unit_; }
  // False (and the unit unchanged) for a unit the component does not know.
  bool SetUnit(int unit);

  int LeftMargin() const { return ToUnit(page_.leftMargin, page_.dpiX); }
  int TopMargin() const { return ToUnit(page_.topMargin, page_.dpiY); }
  int RightMargin() const { return ToUnit(page_.rightMargin, page_.dpiX); }
  int BottomMargin() const { return ToUnit(page_.bottomMargin, page_.dpiY); }
  void SetMargins(int left, int top, int right, int bottom);
  // The page inside the margins.
  int PrintableWidth() const;
  int PrintableHeight() const;
  HDC DeviceContext() const { return dc_; }

private:
  int ToUnit(int pixels, int dpi) const { return PixelsToUnit(pixels, unit_, dpi); }
  void CloseOwned();

  int windowId_, controlId_;
  int unit_ = kUnitPixels;
  PageSetup page_;
  HDC dc_ = nullptr;
  bool ownsDc_ = false;
};

// The printer component with that identity while it exists; null otherwise.
Printer* FindPrinter(int windowId, int controlId);

}  // namespace rt
