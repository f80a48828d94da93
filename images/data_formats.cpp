#include "images/data_formats.h"

#include <cstring>

#include "images/picture_painter.h"

namespace images {
namespace {

struct DibLayout {
  UINT width;
  UINT height;
  UINT stride;
  size_t pixelBytes;
};

DibLayout LayoutFor(const FrameBitmap* frame) {
  DibLayout layout;
  const bool present = frame && *frame;
  layout.width = present ? frame->Width() : kEmptyFrameSide;
  layout.height = present ? frame->Height() : kEmptyFrameSide;
  layout.stride = (layout.width * 3 + 3) & ~3u;
  layout.pixelBytes = static_cast<size_t>(layout.stride) * layout.height;
  return layout;
}

void FillHeader(const DibLayout& layout, BITMAPINFOHEADER* header) {
  std::memset(header, 0, sizeof(*header));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = static_cast<LONG>(layout.width);
  header->biHeight = static_cast<LONG>(layout.height);
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biCompression = BI_RGB;
  header->biSizeImage = static_cast<DWORD>(layout.pixelBytes);
}

// Writes the frame's premultiplied pixels over white, bottom row first.
void FillPixels(const DibLayout& layout, const FrameBitmap* frame, uint8_t* pixels) {
  if (!frame || !*frame) {
    std::memset(pixels, 0xff, layout.pixelBytes);
    return;
  }
  for (UINT y = 0; y < layout.height; ++y) {
    const uint8_t* source = frame->Bits() + static_cast<size_t>(y) * frame->Stride();
    uint8_t* target = pixels + static_cast<size_t>(layout.height - 1 - y) * layout.stride;
    for (UINT x = 0; x < layout.width; ++x, source += 4, target += 3) {
      const uint8_t uncovered = static_cast<uint8_t>(255 - source[3]);
      target[0] = static_cast<uint8_t>(source[0] + uncovered);
      target[1] = static_cast<uint8_t>(source[1] + uncovered);
      target[2] = static_cast<uint8_t>(source[2] + uncovered);
    }
  }
}

}  // namespace

HGLOBAL MakeDib(const FrameBitmap* frame) {
  const DibLayout layout = LayoutFor(frame);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + layout.pixelBytes);
  if (!memory) return nullptr;
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(memory));
  if (!header) {
    GlobalFree(memory);
    return nullptr;
  }
  FillHeader(layout, header);
  FillPixels(layout, frame, reinterpret_cast<uint8_t*>(header + 1));
  GlobalUnlock(memory);
  return memory;
}

HENHMETAFILE MakeEnhMetafile(const FrameBitmap* frame, SIZEL himetric) {
  HGLOBAL dib = MakeDib(frame);
  if (!dib) return nullptr;
  rt::ScopedGlobal owner(dib);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  if (!header) return nullptr;
  RECT bounds = {0, 0, himetric.cx, himetric.cy};
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &bounds, nullptr);
  HENHMETAFILE metafile = nullptr;
  if (dc) {
    // The metafile's units are the screen's pixels; the frame above maps them to the picture's size.
    rt::ScopedGetDC screen(nullptr);
    const int width = MulDiv(himetric.cx, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
    const int height = MulDiv(himetric.cy, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, header->biWidth, header->biHeight, header + 1,
                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
    metafile = CloseEnhMetaFile(dc);
  }
  GlobalUnlock(dib);
  return metafile;
}

}  // namespace images
