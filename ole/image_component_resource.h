// Resource id of the image component's copy carried inside the program (type RCDATA); read by the
// resource compiler as well.
#pragma once
#define IDR_IMAGE_COMPONENT 101
