// The program started as a process: the component written beside it at start-up, and pictures
// that are no pictures chosen in its dialog.
#include <windows.h>
#include <psapi.h>
#include <richedit.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/ids.h"
#include "runtime/files.h"
#include "tests/pictures/open_dialog_driver.h"
#include "tests/pictures/picture_files.h"
#include "tests/support/program.h"

using namespace pictures_test;
using testing_support::ProgramUnderTest;
using testing_support::WindowText;
using testing_support::WriteTestFile;

namespace {

std::string ComponentBeside(const ProgramUnderTest& program) { return program.RunDirectory() + "\\Images.dll"; }

bool Responds(HWND hwnd) {
  DWORD_PTR ignored = 0;
  return IsWindow(hwnd) && SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool HasMultiLevelUndo(const ProgramUnderTest& program) {
  return SendMessageA(program.Control(app::kEditor), EM_GETTEXTMODE, 0, 0) & TM_MULTILEVELUNDO;
}

// Chooses "插入图片" in the running program and answers its dialog.
DialogVisit InsertPicture(const ProgramUnderTest& program, const std::string& path, int filterIndex = -1) {
  PostMessageA(program.MainWindow(), WM_COMMAND, app::kCmdInsertPicture, 0);
  DialogVisit visit = AnswerPictureDialog(path, filterIndex);
  // The insertion itself runs after the dialog has closed.
  Responds(program.MainWindow());
  return visit;
}

size_t EditorLength(const ProgramUnderTest& program) {
  return static_cast<size_t>(SendMessageA(program.Control(app::kEditor), WM_GETTEXTLENGTH, 0, 0));
}

TEST(ImageComponentAtStartUp, IsWrittenUnchangedWhenMissing) {
  ProgramUnderTest program;
  ASSERT_FALSE(rt::FileExists(ComponentBeside(program)));
  ASSERT_TRUE(program.Start());
  std::optional<std::string> written = rt::ReadWholeFile(ComponentBeside(program));
  std::optional<std::string> built = rt::ReadWholeFile(rt::RunDirectory() + "\\Images.dll");
  ASSERT_TRUE(written && built);
  EXPECT_EQ(written->size(), built->size());
  EXPECT_TRUE(*written == *built) << "the component was not written byte for byte";
  EXPECT_TRUE(HasMultiLevelUndo(program));
  EXPECT_EQ(program.Close(), 0u);
}

TEST(ImageComponentAtStartUp, IsLeftAloneWhenPresent) {
  ProgramUnderTest program;
  const std::string own = "a file of this name that the user put here";
  WriteTestFile(ComponentBeside(program), own);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(rt::ReadWholeFile(ComponentBeside(program)).value_or(""), own);
  EXPECT_TRUE(HasMultiLevelUndo(program));
  EXPECT_EQ(program.Close(), 0u);
}

TEST(ImageComponentAtStartUp, ThatCannotBeWrittenLeavesTheEditorWorkingWithoutPictures) {
  ProgramUnderTest program;
  // Something that is not a file holds the name: the component can neither be found nor written,
  // as in a program directory the user may not write to.
  ASSERT_TRUE(CreateDirectoryA(ComponentBeside(program).c_str(), nullptr));
  std::string picture = program.RunDirectory() + "\\red.png";
  WriteTestFile(picture, EncodeWithWic(Solid(20, 20, 0xFF0000), GUID_ContainerFormatPng));
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(HasMultiLevelUndo(program)) << "the editor was not bound";

  SetWindowTextA(program.Control(app::kEditor), "text");
  ASSERT_TRUE(InsertPicture(program, picture).found);
  EXPECT_TRUE(Responds(program.MainWindow()));
  EXPECT_EQ(WindowText(program.Control(app::kEditor)), "text") << "something was inserted";
  EXPECT_EQ(program.Close(), 0u);
}

TEST(BadPictures, LeaveTheProgramRunningAndTheNoteItsText) {
  ProgramUnderTest program;
  const std::string dir = program.RunDirectory();
  std::string jpeg = EncodeWithWic(ColourBands(200, 150), GUID_ContainerFormatJpeg);
  std::mt19937 random(6);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  // A bitmap header that claims 50000 × 50000 pixels, and a GIF of 65535 × 65535 with one frame
  // as large, each followed by a few bytes only.
  std::string hugeBmp = EncodeWithWic(Solid(4, 4, 0x336699), GUID_ContainerFormatBmp);
  *reinterpret_cast<LONG*>(&hugeBmp[18]) = 50000;
  *reinterpret_cast<LONG*>(&hugeBmp[22]) = 50000;
  std::string hugeGif = EncodeGif(4, 4, {GifFrame{0, 0, Solid(4, 4, 0x00FF00), 10, 1}});
  hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = '\xFF';

  struct Case {
    const char* name;
    std::string bytes;
    int filterIndex;
  };
  const Case cases[] = {
      {"empty.png", "", -1},
      {"truncated.jpg", jpeg.substr(0, jpeg.size() / 2), -1},
      {"random.gif", noise, -1},
      {"huge.bmp", hugeBmp, -1},
      {"huge.gif", hugeGif, -1},
      {"plain.txt", "just some text, not a picture", 1},
  };
  for (const Case& c : cases) WriteTestFile(dir + "\\" + c.name, c.bytes);
  std::string good = dir + "\\good.jpg";
  WriteTestFile(good, jpeg);

  ASSERT_TRUE(program.Start());
  HWND editor = program.Control(app::kEditor);
  const std::string text = "keep this text";
  SetWindowTextA(editor, text.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    size_t before = EditorLength(program);
    ASSERT_TRUE(InsertPicture(program, dir + "\\" + c.name, c.filterIndex).found);
    ASSERT_TRUE(Responds(program.MainWindow())) << "the program stopped";
    EXPECT_NE(WindowText(editor).find(text), std::string::npos);
    // What does not load is embedded all the same, as an empty frame.
    EXPECT_EQ(EditorLength(program), before + 1);
  }
  // Still able to take a real picture afterwards.
  size_t before = EditorLength(program);
  ASSERT_TRUE(InsertPicture(program, good).found);
  EXPECT_EQ(EditorLength(program), before + 1);

  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
      EXPECT_LT(memory.PeakPagefileUsage, 1024ull * 1024 * 1024) << "a bad picture took gigabytes";
    }
    CloseHandle(process);
  }
  // Closing with the inserted objects in the editor ends the program cleanly.
  EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
