#include "images/frame_bitmap.h"

namespace images {

FrameBitmap FrameBitmap::Create(UINT width, UINT height) {
  FrameBitmap frame;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down: rows in reading order
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return frame;
  }
  frame.bitmap_.reset(bitmap);
  frame.bits_ = static_cast<uint8_t*>(bits);
  frame.width_ = width;
  frame.height_ = height;
  // Not cleared: every caller writes all of its pixels, and a large photograph would pay for it.
  frame.transparent_ = true;
  return frame;
}

void FrameBitmap::UpdateTransparency() {
  transparent_ = false;
  const uint8_t* end = bits_ + ByteSize();
  for (const uint8_t* pixel = bits_; pixel < end; pixel += 4) {
    if (pixel[3] != 0xff) {
      transparent_ = true;
      return;
    }
  }
}

}  // namespace images
