// A real MainWindow in this process whose notes live in a temporary run directory.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace notes_test {

class NotesFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Creates MainWindow again, ending the message loop when it is destroyed.
  void RecreateWindow(bool quitOnDestroy);

  std::string Root() const;                         // ...\content\ (with the backslash)
  void MakeFolder(const std::string& relative);      // relative to the content root
  void MakeNote(const std::string& relative, const std::string& bytes = " ");
  std::string ReadNote(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // Names of every entry of a directory under the content root (files and directories).
  std::set<std::string> EntriesOf(const std::string& relative) const;

  HWND Tree() const;
  HWND Editor() const;
  // Walk index of a folder item, or of a note item under it; -1 when there is none.
  int FindItem(const std::string& folder, const std::string& note = "") const;
  void Select(int item);
  // The editor's plain text.
  std::string EditorText() const;

  testing_support::TempDir runDir_;
};

// Names of the "*_Speed.bat" files in the temporary directory.
std::set<std::string> RemovalScriptsInTemp();

// Plays the user at the input box with that title on another thread: reads the initial entry,
// types `typed` (unless null) and presses OK or Cancel.
class InputBoxAnswer {
public:
  InputBoxAnswer(std::string title, const char* typed, int button);
  ~InputBoxAnswer();
  // Joins the thread; the initial entry the box showed ("" when no box appeared).
  std::string Finish();

private:
  HANDLE thread_ = nullptr;
  std::string title_;
  std::string typed_;
  bool type_;
  int button_;
  std::string initial_;
  static DWORD WINAPI Run(void* self);
};

}  // namespace notes_test
