#include "table/table_markup.h"

#include <cstdint>

#include "runtime/rich_edit_box.h"

namespace table {

std::string BuildTableMarkup(const std::vector<int>& widths, int rows,
                             const std::function<int(int pixels)>& pixelsToTwips) {
  if (widths.empty()) return {};
  if (rows < 1) rows = 1;

  // Rounding happens per column: the boundaries are sums of converted widths. The sum is kept
  // wide so that enormous widths cannot overflow it into a wrong boundary.
  std::string boundaries;
  std::int64_t sum = 0;
  for (int width : widths) {
    sum += pixelsToTwips(width);
    boundaries += "\\cellx" + std::to_string(sum);
  }

  std::string markup = "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n"
                       "\\viewkind4\\uc1\\trowd\r\n";
  markup += boundaries;
  markup += "\r\n\\pard\\intbl\\lang2052\\f0\\fs24\r\n";
  for (size_t i = 0; i < widths.size(); ++i) markup += "\\cell";
  markup += "\\row\r\n";
  for (int row = 1; row < rows; ++row) markup += "\\intbl\\row\r\n";
  markup += "}";
  return markup;
}

void InsertRtfAtSelection(HWND box, std::string_view rtf) {
  rt::ContentFormat previous = rt::GetContentFormat(box);
  rt::SetContentFormat(box, rt::ContentFormat::Rtf);
  rt::SetSelectedText(box, rtf);  // EM_STREAMIN with SF_RTF | SFF_SELECTION
  rt::SetContentFormat(box, previous);
}

}  // namespace table
