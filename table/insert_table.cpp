// RichEditHelper::InsertTable: an empty table at the editor's selection.
#include <string>

#include "richedit/rich_edit_helper.h"
#include "runtime/window.h"
#include "table/table_markup.h"

namespace richedit {

void RichEditHelper::InsertTable(const std::vector<int>& widths, int rows) {
  // The one refusal: without columns the editor is not touched, its content format included.
  if (widths.empty()) return;
  std::string markup =
      table::BuildTableMarkup(widths, rows, [this](int pixels) { return PixelsToTwips(pixels); });
  HWND box = rt::ControlHandle(WindowId(), ControlId());
  if (!box) return;  // not bound to an editor, or its window is gone
  table::InsertRtfAtSelection(box, markup);
}

}  // namespace richedit
