#include <richedit.h>

#include <cstring>

#include "richedit/rich_edit_helper.h"
#include "richedit/unit_conversion.h"

namespace richedit {

int RichEditHelper::SetNumbering(int style, int offset) {
  static_assert(sizeof(PARAFORMAT2) == 188);
  PARAFORMAT2 pf;
  std::memset(&pf, 0, sizeof pf);
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_NUMBERING | PFM_OFFSET;
  // Styles of 0 or less become bullets: this method switches numbering on or changes it, never off.
  pf.wNumbering = static_cast<WORD>(style <= 0 ? 1 : style);
  pf.dxOffset = OffsetPixelsToTwips(offset);
  return static_cast<int>(SendMessageA(Editor(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

}  // namespace richedit
