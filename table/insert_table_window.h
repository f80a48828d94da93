// InsertTableWindow: lays out an empty table and puts it at the editor's selection.
#pragma once

namespace table {

// Handler of "插入表格": opens the window modally and returns when it has been closed.
void ShowInsertTableWindow();

}  // namespace table
