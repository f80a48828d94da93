// The drawing panel component: a drawing surface of a given size in screen pixels with its own
// device context, measured in the component's current unit. Addressed by its window's id and its own.
#pragma once
#include <windows.h>

#include "runtime/device_units.h"
#include "runtime/scoped_win.h"

namespace rt {

class DrawingPanel {
public:
  // A white surface of width × height screen pixels.
  DrawingPanel(int windowId, int controlId, int width, int height);
  DrawingPanel(const DrawingPanel&) = delete;
  DrawingPanel& operator=(const DrawingPanel&) = delete;
  ~DrawingPanel();

  int Unit() const { return unit_; }
  bool SetUnit(int unit);
  int DrawingWidth() const;
  int DrawingHeight() const;
  HDC DeviceContext() const { return dc_; }

private:
  int windowId_, controlId_;
  int unit_ = kUnitPixels;
  int width_, height_;
  int dpiX_, dpiY_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// The drawing panel with that identity while it exists; null otherwise.
DrawingPanel* FindDrawingPanel(int windowId, int controlId);

}  // namespace rt
