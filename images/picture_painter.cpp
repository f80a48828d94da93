#include "images/picture_painter.h"

namespace images {
namespace {

class ScopedMemoryDC {
public:
  explicit ScopedMemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {
    if (!dc_) dc_ = CreateCompatibleDC(nullptr);  // metafile and printer DCs have no compatible one
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  ~ScopedMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

private:
  HDC dc_;
};

void BlitFrame(HDC dc, const RECT& bounds, const FrameBitmap& frame) {
  ScopedMemoryDC memory(dc);
  if (!memory.get()) return;
  HGDIOBJ previous = SelectObject(memory.get(), frame.Handle());
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int sourceWidth = static_cast<int>(frame.Width());
  const int sourceHeight = static_cast<int>(frame.Height());
  bool done = false;
  if (frame.HasTransparency() && width > 0 && height > 0) {
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    done = GdiAlphaBlend(dc, bounds.left, bounds.top, width, height, memory.get(), 0, 0, sourceWidth, sourceHeight,
                         blend);
  }
  if (!done) {
    if (width == sourceWidth && height == sourceHeight) {
      BitBlt(dc, bounds.left, bounds.top, width, height, memory.get(), 0, 0, SRCCOPY);
    } else {
      int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, bounds.left, bounds.top, width, height, memory.get(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
      SetStretchBltMode(dc, oldMode);
    }
  }
  SelectObject(memory.get(), previous);
}

void OutlineEmptyFrame(HDC dc, const RECT& bounds) {
  rt::UniqueHandle<HBRUSH, &::DeleteObject> brush(CreateSolidBrush(RGB(0xa0, 0xa0, 0xa0)));
  if (brush) FrameRect(dc, &bounds, brush.get());
}

}  // namespace

void PaintFrame(HDC dc, const RECT& bounds, const FrameBitmap* frame, const std::wstring& text) {
  if (frame && *frame) {
    BlitFrame(dc, bounds, *frame);
  } else {
    OutlineEmptyFrame(dc, bounds);
  }
  if (!text.empty()) {
    int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    RECT area = bounds;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(dc, saved);
  }
}

}  // namespace images
