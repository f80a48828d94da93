#include "ole/picture_insertion.h"

namespace ole {

void EnsureImageComponent() {}
void OnInsertPicture() {}

}  // namespace ole
