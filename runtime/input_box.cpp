#include "runtime/input_box.h"

#include <windows.h>

#include "runtime/window.h"

namespace rt {
namespace {

constexpr int kInputBoxWindowId = -100;
constexpr int kPromptId = 100;
constexpr int kEntryId = 101;

std::string ControlText(HWND control) {
  std::string text(GetWindowTextLengthA(control) + 1, '\0');
  text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace

bool InputBox(const std::string& prompt, const std::string& title, const std::string& initial,
              std::string& value) {
  WindowDesign design;
  design.caption = title;
  design.width = 360;
  design.height = 150;
  design.centred = true;
  design.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  design.exStyle = WS_EX_DLGMODALFRAME;
  design.controls = {
      {kPromptId, ControlKind::Label, "prompt", 12, 10, 330, 20, prompt},
      {kEntryId, ControlKind::EditBox, "entry", 12, 34, 330, 24, initial},
      {IDOK, ControlKind::PushButton, "ok", 172, 72, 80, 26, "确定", BS_DEFPUSHBUTTON},
      {IDCANCEL, ControlKind::PushButton, "cancel", 262, 72, 80, 26, "取消"},
  };
  Window box(kInputBoxWindowId, std::move(design));
  bool confirmed = false;
  box.OnCreated([&box] {
    HWND entry = box.Control(kEntryId);
    SendMessageA(entry, EM_SETSEL, 0, -1);
    SetFocus(entry);
  });
  box.OnCommand(IDOK, [&] {
    value = ControlText(box.Control(kEntryId));
    confirmed = true;
    box.Close();
  });
  box.OnCommand(IDCANCEL, [&box] { box.Close(); });
  box.ShowModal();
  return confirmed;
}

}  // namespace rt
