#include "app/link_activation.h"

namespace app {

void InstallMainWindowProc() {}

}  // namespace app
