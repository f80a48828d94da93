// Turns the bytes of a BMP, JPEG, PNG or GIF file into a Picture through WIC.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "images/picture.h"

namespace images {

// Fails with an HRESULT for anything that is not one of the four formats, is broken, or exceeds the
// limits in picture.h; `picture` is only written on success.
HRESULT DecodePicture(const std::vector<uint8_t>& bytes, Picture* picture);

}  // namespace images

namespace images {

// Reads a whole picture file; fails for files over kMaxFileBytes without reading them.
HRESULT ReadPictureFile(const wchar_t* path, std::vector<uint8_t>* bytes);

}  // namespace images
