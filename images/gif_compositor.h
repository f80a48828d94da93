// Builds the frames of an animated GIF as a browser shows them: each frame drawn over what the
// previous one left behind according to its disposal method.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "images/frame_bitmap.h"

namespace images {

// Disposal methods of the graphic control extension.
enum GifDisposal : UINT {
  kDisposalUnspecified = 0,
  kDisposalNone = 1,
  kDisposalBackground = 2,  // the frame's area becomes transparent
  kDisposalPrevious = 3,    // the frame's area goes back to what it was before the frame
};

struct GifFrameImage {
  const uint8_t* pixels;  // premultiplied BGRA, width * 4 bytes a row
  UINT width;
  UINT height;
  int left;
  int top;
  UINT disposal;
};

class GifCompositor {
public:
  GifCompositor(UINT width, UINT height);
  // Disposes of the previous frame as it asked, then draws `frame` over the canvas.
  void Compose(const GifFrameImage& frame);
  void CopyTo(FrameBitmap& target) const;

private:
  void CopyRect(const RECT& rect, std::vector<uint8_t>& to) const;
  void RestoreRect(const RECT& rect, const std::vector<uint8_t>& from);
  void ClearRect(const RECT& rect);

  UINT width_;
  UINT height_;
  std::vector<uint8_t> canvas_;
  std::vector<uint8_t> saved_;  // the area under the previous frame, when it restores to previous
  RECT previousRect_ = {};
  UINT previousDisposal_ = kDisposalNone;
};

}  // namespace images
