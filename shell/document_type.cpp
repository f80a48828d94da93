#include "shell/document_type.h"

namespace shell {

void EnsureIconFile() {}
void EnsureDocumentType() {}

}  // namespace shell
