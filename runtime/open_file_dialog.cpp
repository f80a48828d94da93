#include "runtime/open_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace rt {

std::string NativeFilter(const std::string& filter) {
  std::string native = filter;
  // 0x7C ('|') can be the trail byte of a GBK character: walk by characters so that one stays.
  for (size_t i = 0; i < native.size(); ++i) {
    if (IsDBCSLeadByteEx(936, static_cast<BYTE>(native[i])) && i + 1 < native.size()) {
      ++i;
      continue;
    }
    if (native[i] == '|') native[i] = '\0';
  }
  native.append(2, '\0');
  return native;
}

bool OpenFileDialog::Show(HWND owner) {
  // Long paths are allowed for; the buffer starts with the path chosen last.
  std::vector<char> buffer(32768, '\0');
  fileName_.copy(buffer.data(), std::min(fileName_.size(), buffer.size() - 1));
  std::string filter = NativeFilter(filter_);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn)) return false;
  fileName_ = buffer.data();
  return true;
}

OpenFileDialog& OpenFileDialogOf(int windowId, int controlId) {
  static std::map<std::pair<int, int>, OpenFileDialog> dialogs;
  return dialogs[{windowId, controlId}];
}

}  // namespace rt
