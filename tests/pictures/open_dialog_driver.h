// Drives the picture dialog as a user does: finds it by its title (in any process), picks a file
// type, types a path into the file-name box and confirms, or cancels.
#pragma once
#include <windows.h>

#include <string>

namespace pictures_test {

struct DialogVisit {
  bool found = false;
  std::string initialFileName;  // what the file-name box held when the dialog opened
  int filterCount = 0;          // entries of the file-type box
  std::string firstFilter;      // its first entry
};

// An empty path cancels; filterIndex picks an entry of the file-type box first (-1: leave it).
// Waits up to timeoutMs for the dialog, then until it has gone.
DialogVisit AnswerPictureDialog(const std::string& path, int filterIndex = -1, DWORD timeoutMs = 15000);

}  // namespace pictures_test
