#include "ole/picture_insertion.h"

#include "app/globals.h"
#include "app/ids.h"

namespace ole {

void EnsureImageComponent() {
  // Bound while the editor is still empty: the control takes multi-level undo only then.
  richedit::RichEditHelper& editor = app::Editor();
  editor.Attach(app::kMainWindow, app::kEditor);
  editor.SetUndoLimit(100);
}

void OnInsertPicture() {}

}  // namespace ole
