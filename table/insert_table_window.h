// InsertTableWindow: lays out an empty table and puts it at the editor's selection.
#pragma once
#include <functional>
#include <vector>

#include "runtime/design.h"

namespace table {

// Controls of InsertTableWindow, named as in its design.
constexpr int kRowBox = 3001;        // 编辑框1
constexpr int kRowArrows = 3002;     // the row box's up-down arrows
constexpr int kRowLabel = 3003;      // 标签2
constexpr int kDeleteButton = 3004;  // 按钮4
constexpr int kInsertButton = 3005;  // 按钮3
constexpr int kHintLabel = 3006;     // 标签1
constexpr int kCancelButton = 3007;  // 按钮2
constexpr int kOkButton = 3008;      // 按钮1
constexpr int kColumnList = 3009;    // 超级列表框1

rt::WindowDesign InsertTableWindowDesign();

// Receives the confirmed layout: column widths in pixels, first column first, and 1 to 20 rows.
using TableInserter = std::function<void(const std::vector<int>& widths, int rows)>;

// Opens the window modally from its design; returns when it has been closed. Confirming hands the
// layout to `insert` before the window closes; cancelling and the close box hand over nothing.
void RunInsertTableWindow(const TableInserter& insert);

// Handler of "插入表格": the table goes into the editor at its selection.
void ShowInsertTableWindow();

}  // namespace table
