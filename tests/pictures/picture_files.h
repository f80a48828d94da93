// Test pictures made in the test: BMP, JPEG and PNG through the platform's WIC encoders, and an
// animated GIF written byte by byte so that its frame offsets, disposal and transparency are
// exactly the ones the test checks.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pictures_test {

// A picture as 0x00RRGGBB pixels, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t& at(int x, int y) { return rgb[static_cast<size_t>(y) * width + x]; }
  std::uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// Three vertical bands: red, green, blue.
Pixels ColourBands(int width, int height);

// The bytes of the picture in a WIC container format (GUID_ContainerFormatBmp, ...Jpeg, ...Png).
std::string EncodeWithWic(const Pixels& picture, const GUID& container);

struct GifFrame {
  int left = 0, top = 0;
  Pixels pixels;                 // a colour kTransparent marks a transparent pixel
  int delayCentiseconds = 10;
  int disposal = 1;              // 1 keep, 2 restore to background, 3 restore to previous
};
constexpr std::uint32_t kTransparent = 0xFF000000u;

// An endlessly looping GIF of the given screen size; every frame has at most 255 colours.
std::string EncodeGif(int width, int height, const std::vector<GifFrame>& frames);

// A solid rectangle.
Pixels Solid(int width, int height, std::uint32_t rgb);

}  // namespace pictures_test
