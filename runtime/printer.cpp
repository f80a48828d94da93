#include "runtime/printer.h"

#include <commdlg.h>

#include <cstring>
#include <map>
#include <utility>

namespace rt {
namespace {

std::map<std::pair<int, int>, Printer*>& Printers() {
  static std::map<std::pair<int, int>, Printer*> printers;
  return printers;
}

}  // namespace

Printer::Printer(int windowId, int controlId) : windowId_(windowId), controlId_(controlId) {
  Printers()[{windowId, controlId}] = this;
}

Printer::~Printer() {
  CloseOwned();
  auto it = Printers().find({windowId_, controlId_});
  if (it != Printers().end() && it->second == this) Printers().erase(it);
}

void Printer::CloseOwned() {
  if (ownsDc_ && dc_) DeleteDC(dc_);
  dc_ = nullptr;
  ownsDc_ = false;
}

bool Printer::OpenDefault() {
  PRINTDLGA dialog;
  std::memset(&dialog, 0, sizeof dialog);
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&dialog)) return false;
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  if (!dialog.hDC) return false;

  CloseOwned();
  dc_ = dialog.hDC;
  ownsDc_ = true;
  PageSetup page;
  page.dpiX = GetDeviceCaps(dc_, LOGPIXELSX);
  page.dpiY = GetDeviceCaps(dc_, LOGPIXELSY);
  page.width = GetDeviceCaps(dc_, PHYSICALWIDTH);
  page.height = GetDeviceCaps(dc_, PHYSICALHEIGHT);
  page.leftMargin = GetDeviceCaps(dc_, PHYSICALOFFSETX);
  page.topMargin = GetDeviceCaps(dc_, PHYSICALOFFSETY);
  page.rightMargin = page.width - GetDeviceCaps(dc_, HORZRES) - page.leftMargin;
  page.bottomMargin = page.height - GetDeviceCaps(dc_, VERTRES) - page.topMargin;
  page_ = page;
  return true;
}

void Printer::UseDevice(HDC dc, const PageSetup& page) {
  CloseOwned();
  dc_ = dc;
  page_ = page;
}

bool Printer::SetUnit(int unit) {
  if (!IsKnownUnit(unit)) return false;
  unit_ = unit;
  return true;
}

void Printer::SetMargins(int left, int top, int right, int bottom) {
  page_.leftMargin = UnitToPixels(left, unit_, page_.dpiX);
  page_.topMargin = UnitToPixels(top, unit_, page_.dpiY);
  page_.rightMargin = UnitToPixels(right, unit_, page_.dpiX);
  page_.bottomMargin = UnitToPixels(bottom, unit_, page_.dpiY);
}

int Printer::PrintableWidth() const {
  return ToUnit(page_.width - page_.leftMargin - page_.rightMargin, page_.dpiX);
}

int Printer::PrintableHeight() const {
  return ToUnit(page_.height - page_.topMargin - page_.bottomMargin, page_.dpiY);
}

Printer* FindPrinter(int windowId, int controlId) {
  auto it = Printers().find({windowId, controlId});
  return it == Printers().end() ? nullptr : it->second;
}

}  // namespace rt
