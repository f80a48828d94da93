#include "runtime/drawing_panel.h"

#include <map>
#include <utility>

namespace rt {
namespace {

std::map<std::pair<int, int>, DrawingPanel*>& Panels() {
  static std::map<std::pair<int, int>, DrawingPanel*> panels;
  return panels;
}

}  // namespace

DrawingPanel::DrawingPanel(int windowId, int controlId, int width, int height)
    : windowId_(windowId), controlId_(controlId), width_(width), height_(height) {
  ScopedGetDC screen(nullptr);
  dpiX_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
  dc_ = CreateCompatibleDC(screen.get());
  bitmap_ = CreateCompatibleBitmap(screen.get(), width, height);
  if (dc_ && bitmap_) {
    previous_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  Panels()[{windowId, controlId}] = this;
}

DrawingPanel::~DrawingPanel() {
  auto it = Panels().find({windowId_, controlId_});
  if (it != Panels().end() && it->second == this) Panels().erase(it);
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

bool DrawingPanel::SetUnit(int unit) {
  if (!IsKnownUnit(unit)) return false;
  unit_ = unit;
  return true;
}

int DrawingPanel::DrawingWidth() const { return PixelsToUnit(width_, unit_, dpiX_); }
int DrawingPanel::DrawingHeight() const { return PixelsToUnit(height_, unit_, dpiY_); }

DrawingPanel* FindDrawingPanel(int windowId, int controlId) {
  auto it = Panels().find({windowId, controlId});
  return it == Panels().end() ? nullptr : it->second;
}

}  // namespace rt
