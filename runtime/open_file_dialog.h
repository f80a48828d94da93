// The run time's open-file dialog component: a common dialog that belongs to a window's design
// (it has no visible control), keeps its settings and remembers the last chosen path.
#pragma once
#include <windows.h>

#include <string>

namespace rt {

class OpenFileDialog {
public:
  // Filter in the run time's form: "description|patterns|description|patterns...".
  void SetTitle(std::string title) { title_ = std::move(title); }
  void SetFilter(std::string filter) { filter_ = std::move(filter); }
  const std::string& Title() const { return title_; }
  const std::string& Filter() const { return filter_; }
  // The path chosen last; offered as the initial file name the next time.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

  // Shows the dialog modally over `owner`; true when the user confirmed an existing file, whose
  // path FileName() then holds. On cancel nothing changes.
  bool Show(HWND owner);

private:
  std::string title_;
  std::string filter_;
  std::string fileName_;
};

// The dialog component (windowId, controlId): one instance per identity, kept for the run.
OpenFileDialog& OpenFileDialogOf(int windowId, int controlId);

// The filter in the form the system dialog reads: '|' becomes a zero byte, then two zeros end it.
std::string NativeFilter(const std::string& filter);

}  // namespace rt
