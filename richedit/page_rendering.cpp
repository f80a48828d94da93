// Lays out and draws a character range of the document on a printer or a drawing panel. Each
// call is one EM_FORMATRANGE; documents, pages and the following pages are the caller's.
#include <richedit.h>

#include <cstring>

#include "richedit/rich_edit_helper.h"
#include "richedit/unit_conversion.h"
#include "runtime/drawing_panel.h"
#include "runtime/printer.h"

namespace richedit {
namespace {

int Draw(HWND editor, HDC dc, const RECT& area, const RECT& page, int first, int last) {
  FORMATRANGE range;
  std::memset(&range, 0, sizeof range);
  range.hdc = dc;
  range.hdcTarget = dc;
  range.rc = area;
  range.rcPage = page;
  range.chrg = {first, last};
  return static_cast<int>(SendMessageA(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
}

}  // namespace

int RichEditHelper::FormatRangeToPrinter(int printerWindowId, int printerControlId, int first, int last) {
  rt::Printer* printer = rt::FindPrinter(printerWindowId, printerControlId);
  // Without a printer there is nothing to draw on.
  if (!printer || !printer->DeviceContext()) return 0;

  int unit = printer->Unit();
  printer->SetUnit(rt::kUnitHundredthsOfAnInch);
  int left = printer->LeftMargin(), top = printer->TopMargin();
  int right = printer->RightMargin(), bottom = printer->BottomMargin();
  int width = printer->PrintableWidth(), height = printer->PrintableHeight();
  printer->SetUnit(unit);

  RECT area{HundredthsToTwips(left), HundredthsToTwips(top), HundredthsToTwips(left + width),
            HundredthsToTwips(top + height)};
  RECT page{0, 0, HundredthsToTwips(left + width + right), HundredthsToTwips(top + height + bottom)};
  return Draw(Editor(), printer->DeviceContext(), area, page, first, last);
}

int RichEditHelper::FormatRangeToCanvas(int panelWindowId, int panelControlId, int left, int top, int height,
                                        int width, int first, int last) {
  rt::DrawingPanel* panel = rt::FindDrawingPanel(panelWindowId, panelControlId);
  if (!panel || !panel->DeviceContext()) return 0;

  panel->SetUnit(rt::kUnitHundredthsOfAnInch);
  // The third argument extends downward, the fourth to the right.
  RECT area{HundredthsToTwips(left), HundredthsToTwips(top), HundredthsToTwips(left + width),
            HundredthsToTwips(top + height)};
  RECT page{0, 0, HundredthsToTwips(panel->DrawingWidth()), HundredthsToTwips(panel->DrawingHeight())};
  panel->SetUnit(rt::kUnitPixels);
  return Draw(Editor(), panel->DeviceContext(), area, page, first, last);
}

}  // namespace richedit
