// The font dialog component: shows the system's font dialog (screen fonts, with colour,
// underline and strikeout) and keeps the choices the user confirmed, which the next opening
// starts from.
#pragma once
#include <windows.h>

#include <string>

namespace rt {

struct FontChoice {
  std::string face;
  int size = 0;  // whole points
  COLORREF colour = 0;
  bool bold = false, italic = false, underline = false, strikeout = false;
};

class FontDialog {
public:
  // The component of window `windowId`, which owns the dialog while it is open.
  FontDialog(int windowId, int controlId, FontChoice initial);

  // Shows the dialog modally. 1 when the user confirmed (the choice is kept), 0 when the user
  // cancelled or the dialog failed (the previous choice stays).
  int Open();

  int WindowId() const { return windowId_; }
  int ControlId() const { return controlId_; }
  const FontChoice& Choice() const { return choice_; }
  const std::string& Face() const { return choice_.face; }
  int Size() const { return choice_.size; }

private:
  int windowId_;
  int controlId_;
  FontChoice choice_;
};

}  // namespace rt
