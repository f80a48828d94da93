// The state that lives from start-up to the exit routine.
#pragma once
#include "richedit/rich_edit_helper.h"

namespace app {

// Creates the editor helper (unbound) and the empty OLE callback table.
void CreateGlobals();
// The exit routine: releases what CreateGlobals made.
void ReleaseGlobals();

// The one editor helper; valid between CreateGlobals and ReleaseGlobals.
richedit::RichEditHelper& Editor();

}  // namespace app
