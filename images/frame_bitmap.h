// A 32-bit top-down DIB section with premultiplied BGRA pixels: one composited frame, ready to blit.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/scoped_win.h"

namespace images {

class FrameBitmap {
public:
  FrameBitmap() = default;
  // A bitmap whose pixels the caller fills; empty (false) when the system could not give the memory.
  static FrameBitmap Create(UINT width, UINT height);

  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  HBITMAP Handle() const { return bitmap_.get(); }
  UINT Width() const { return width_; }
  UINT Height() const { return height_; }
  UINT Stride() const { return width_ * 4; }
  size_t ByteSize() const { return static_cast<size_t>(Stride()) * height_; }
  uint8_t* Bits() const { return bits_; }
  // Whether any pixel is not fully opaque, which decides between a plain blit and alpha blending.
  bool HasTransparency() const { return transparent_; }
  void UpdateTransparency();
  void MarkOpaque() { transparent_ = false; }

private:
  rt::UniqueHandle<HBITMAP, &::DeleteObject> bitmap_;
  uint8_t* bits_ = nullptr;
  UINT width_ = 0;
  UINT height_ = 0;
  bool transparent_ = false;
};

}  // namespace images
