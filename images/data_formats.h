// The current frame as clipboard data: a DIB and an enhanced metafile, both laid over white, since
// most readers of these formats ignore alpha.
#pragma once
#include <windows.h>

#include "images/frame_bitmap.h"

namespace images {

// A packed 24-bit bottom-up DIB in movable global memory (CF_DIB); null when out of memory.
// A null or empty frame gives a white square of the empty frame's size.
HGLOBAL MakeDib(const FrameBitmap* frame);

// A metafile that draws the same DIB over `himetric` (its frame in 0.01 mm).
HENHMETAFILE MakeEnhMetafile(const FrameBitmap* frame, SIZEL himetric);

}  // namespace images
