// Draws the object's current frame, or its empty frame, into a device context.
#pragma once
#include <windows.h>

#include <string>

#include "images/frame_bitmap.h"

namespace images {

// Side of the empty frame that stands in for a picture that could not be loaded, in pixels.
inline constexpr UINT kEmptyFrameSide = 64;

// Stretches `frame` over `bounds` (blending when it has transparent pixels), or outlines an empty
// frame when `frame` is null, and writes `text` centred over it when there is one.
void PaintFrame(HDC dc, const RECT& bounds, const FrameBitmap* frame, const std::wstring& text);

}  // namespace images
