// The editor's OLE callback object.
#pragma once

namespace ole {

// The callback table: created empty with the global state, filled before any window exists.
void CreateCallbackTable();
int BuildOleCallbackTable();
void FreeCallbackTable();

}  // namespace ole
