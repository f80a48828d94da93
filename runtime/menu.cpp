#include "runtime/menu.h"

#include <cctype>

namespace rt {
namespace {

void AppendItems(HMENU parent, const std::vector<MenuDesign>& items) {
  for (const MenuDesign& item : items) {
    std::string caption = item.caption;
    if (!item.shortcut.empty()) caption += "\t" + item.shortcut;
    if (item.items.empty()) {
      AppendMenuA(parent, MF_STRING, item.command, caption.c_str());
    } else {
      HMENU sub = CreatePopupMenu();
      AppendItems(sub, item.items);
      AppendMenuA(parent, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
    }
  }
}

void CollectAccelerators(const std::vector<MenuDesign>& items, std::vector<ACCEL>& out) {
  for (const MenuDesign& item : items) {
    ACCEL accel{};
    if (!item.shortcut.empty() && ParseShortcut(item.shortcut, accel)) {
      accel.cmd = static_cast<WORD>(item.command);
      out.push_back(accel);
    }
    CollectAccelerators(item.items, out);
  }
}

}  // namespace

HMENU BuildMenuBar(const std::vector<MenuDesign>& menu) {
  HMENU bar = CreateMenu();
  AppendItems(bar, menu);
  return bar;
}

HACCEL BuildAccelerators(const std::vector<MenuDesign>& menu) {
  std::vector<ACCEL> table;
  CollectAccelerators(menu, table);
  if (table.empty()) return nullptr;
  return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

bool ParseShortcut(const std::string& shortcut, ACCEL& accel) {
  accel = ACCEL{};
  accel.fVirt = FVIRTKEY;
  std::string rest = shortcut;
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 >= rest.size()) break;
    std::string modifier = rest.substr(0, plus);
    if (modifier == "Ctrl") accel.fVirt |= FCONTROL;
    else if (modifier == "Shift") accel.fVirt |= FSHIFT;
    else if (modifier == "Alt") accel.fVirt |= FALT;
    else return false;
    rest = rest.substr(plus + 1);
  }
  if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    accel.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
    return true;
  }
  if (rest.size() >= 2 && rest[0] == 'F') {
    int n = std::atoi(rest.c_str() + 1);
    if (n >= 1 && n <= 24) {
      accel.key = static_cast<WORD>(VK_F1 + n - 1);
      return true;
    }
  }
  if (rest == "Del") {
    accel.key = VK_DELETE;
    return true;
  }
  return false;
}

void TrackPopupAt(HMENU popup, HWND owner, POINT screen) {
  // The owner must be foreground for the menu to close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner,
                 nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace rt
