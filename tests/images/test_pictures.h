// Picture files made by the tests themselves: BMP, JPEG and PNG through the WIC encoders, and GIF
// animations written byte by byte, so that every frame's offset, disposal and transparency is known.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace images_test {

// Encodes a width x height picture whose pixel colours come from `color`.
std::string EncodePicture(const GUID& container, UINT width, UINT height, const std::function<COLORREF(UINT, UINT)>& color);

struct GifFrame {
  UINT left = 0;
  UINT top = 0;
  UINT width = 0;
  UINT height = 0;
  UINT disposal = 1;       // 1 keep, 2 clear to transparent, 3 restore what was there before
  UINT delayHundredths = 10;
  int transparentIndex = -1;
  std::vector<uint8_t> indices;  // width * height palette indices, row by row
};

// A GIF89a with a global palette of up to four colours; `loops` < 0 writes no looping extension.
std::string MakeGif(UINT width, UINT height, const std::vector<COLORREF>& palette, const std::vector<GifFrame>& frames,
                    int loops = 0);

// A frame filled with one palette index.
GifFrame SolidFrame(UINT left, UINT top, UINT width, UINT height, uint8_t index, UINT disposal = 1);

}  // namespace images_test
