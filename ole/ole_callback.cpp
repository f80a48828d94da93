#include "ole/ole_callback.h"

namespace ole {

void CreateCallbackTable() {}
int BuildOleCallbackTable() { return 0; }
void FreeCallbackTable() {}

}  // namespace ole
