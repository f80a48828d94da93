#include "images/gif_compositor.h"

#include <algorithm>
#include <cstring>

namespace images {

GifCompositor::GifCompositor(UINT width, UINT height)
    : width_(width), height_(height), canvas_(static_cast<size_t>(width) * height * 4, 0) {}

void GifCompositor::CopyRect(const RECT& rect, std::vector<uint8_t>& to) const {
  const size_t rowBytes = static_cast<size_t>(rect.right - rect.left) * 4;
  to.resize(rowBytes * (rect.bottom - rect.top));
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(to.data() + (y - rect.top) * rowBytes, canvas_.data() + (static_cast<size_t>(y) * width_ + rect.left) * 4,
                rowBytes);
  }
}

void GifCompositor::RestoreRect(const RECT& rect, const std::vector<uint8_t>& from) {
  const size_t rowBytes = static_cast<size_t>(rect.right - rect.left) * 4;
  if (from.size() < rowBytes * (rect.bottom - rect.top)) return;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(canvas_.data() + (static_cast<size_t>(y) * width_ + rect.left) * 4,
                from.data() + (y - rect.top) * rowBytes, rowBytes);
  }
}

void GifCompositor::ClearRect(const RECT& rect) {
  const size_t rowBytes = static_cast<size_t>(rect.right - rect.left) * 4;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memset(canvas_.data() + (static_cast<size_t>(y) * width_ + rect.left) * 4, 0, rowBytes);
  }
}

void GifCompositor::Compose(const GifFrameImage& frame) {
  if (previousDisposal_ == kDisposalBackground) ClearRect(previousRect_);
  if (previousDisposal_ == kDisposalPrevious) RestoreRect(previousRect_, saved_);

  // The part of the frame that lies on the canvas; frames may reach past its edges.
  RECT rect;
  rect.left = std::clamp<LONG>(frame.left, 0, static_cast<LONG>(width_));
  rect.top = std::clamp<LONG>(frame.top, 0, static_cast<LONG>(height_));
  rect.right = static_cast<LONG>(std::clamp<int64_t>(static_cast<int64_t>(frame.left) + frame.width, rect.left, width_));
  rect.bottom = static_cast<LONG>(std::clamp<int64_t>(static_cast<int64_t>(frame.top) + frame.height, rect.top, height_));

  if (frame.disposal == kDisposalPrevious) CopyRect(rect, saved_);

  for (LONG y = rect.top; y < rect.bottom; ++y) {
    const uint8_t* source = frame.pixels + (static_cast<size_t>(y - frame.top) * frame.width + (rect.left - frame.left)) * 4;
    uint8_t* target = canvas_.data() + (static_cast<size_t>(y) * width_ + rect.left) * 4;
    for (LONG x = rect.left; x < rect.right; ++x, source += 4, target += 4) {
      const unsigned alpha = source[3];
      if (alpha == 0xff) {
        std::memcpy(target, source, 4);
      } else if (alpha != 0) {
        // "Over" with premultiplied colours.
        for (int c = 0; c < 4; ++c) target[c] = static_cast<uint8_t>(source[c] + target[c] * (255 - alpha) / 255);
      }
    }
  }
  previousRect_ = rect;
  previousDisposal_ = frame.disposal;
}

void GifCompositor::CopyTo(FrameBitmap& target) const {
  if (target.ByteSize() == canvas_.size()) std::memcpy(target.Bits(), canvas_.data(), canvas_.size());
}

}  // namespace images
