// The highlight colour of the selection, through the editor's text object model by name:
// document → "Selection" → "Font" → "BackColor".
#include "richedit/rich_edit_helper.h"

namespace richedit {
namespace {

rt::ComObject SelectionFont(RichEditHelper& helper) {
  rt::ComObject document;
  helper.GetOleInterface(document);
  rt::ComObject selection = document.GetObjectProperty("Selection");
  return selection.GetObjectProperty("Font");
}

}  // namespace

bool RichEditHelper::SetBackColor(int colour) {
  rt::ComObject font = SelectionFont(*this);
  return SUCCEEDED(font.PutProperty("BackColor", rt::Variant(colour)));
}

int RichEditHelper::GetBackColor() {
  rt::ComObject font = SelectionFont(*this);
  rt::Variant colour;
  if (FAILED(font.GetProperty("BackColor", colour))) return 0;
  return static_cast<int>(colour.AsNumber().value_or(0));
}

}  // namespace richedit
