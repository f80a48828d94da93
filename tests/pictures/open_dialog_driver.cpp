#include "tests/pictures/open_dialog_driver.h"

#include <dlgs.h>

#include "tests/support/program.h"

namespace pictures_test {
namespace {

constexpr char kTitle[] = "请选择图片位置！";

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  char cls[32] = {}, title[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, title, sizeof title);
  if (lstrcmpA(cls, "#32770") == 0 && lstrcmpA(title, kTitle) == 0 && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FileNameBox(HWND dialog) {
  // The explorer-style dialog has a combo box for the name; older templates an edit box.
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}

}  // namespace

DialogVisit AnswerPictureDialog(const std::string& path, int filterIndex, DWORD timeoutMs) {
  DialogVisit visit;
  HWND dialog = nullptr;
  DWORD start = GetTickCount();
  while (!dialog && GetTickCount() - start < timeoutMs) {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) Sleep(20);
  }
  if (!dialog) return visit;
  visit.found = true;
  Sleep(200);  // let the dialog finish filling its boxes
  HWND name = FileNameBox(dialog);
  visit.initialFileName = testing_support::WindowText(name);
  HWND types = GetDlgItem(dialog, cmb1);
  visit.filterCount = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
  char first[256] = {};
  if (visit.filterCount > 0 && SendMessageA(types, CB_GETLBTEXTLEN, 0, 0) < 255)
    SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  visit.firstFilter = first;

  if (path.empty()) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  } else {
    if (filterIndex >= 0) {
      SendMessageA(types, CB_SETCURSEL, filterIndex, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    }
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }
  start = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - start < timeoutMs) Sleep(20);
  return visit;
}

}  // namespace pictures_test
