#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "notes/content_directory.h"
#include "notes/drive_path.h"
#include "notes/note_commands.h"
#include "notes/note_removal.h"
#include "notes/removal_script.h"
#include "notes/temp_directory.h"
#include "notes/timestamp_id.h"
#include "runtime/tree_view.h"
#include "tests/notes/notes_fixture.h"

namespace {

using notes_test::NotesFixture;
using notes_test::RemovalScriptsInTemp;

class RemovalTest : public NotesFixture {
protected:
  void SetUp() override {
    NotesFixture::SetUp();
    scriptsBefore_ = RemovalScriptsInTemp();
  }
  void TearDown() override {
    EXPECT_EQ(RemovalScriptsInTemp(), scriptsBefore_) << "no removal script stays behind";
    NotesFixture::TearDown();
  }
  std::set<std::string> scriptsBefore_;
};

TEST_F(RemovalTest, DeletingANoteKeepsItsFolder) {
  MakeNote("a\\only.txt");
  MakeNote("b\\x.txt");
  notes::RefreshNoteTree();
  Select(FindItem("a", "only.txt"));
  notes::DeleteSelectedItem();
  EXPECT_TRUE(Exists("a"));
  EXPECT_TRUE(EntriesOf("a").empty());
  EXPECT_TRUE(Exists("b\\x.txt"));
  EXPECT_EQ(FindItem("a", "only.txt"), -1);
  EXPECT_GE(FindItem("a"), 0);
}

TEST_F(RemovalTest, DeletingAFolderRemovesItsNotesAndDirectories) {
  MakeNote("a\\n1.txt");
  MakeNote("a\\n2.txt");
  MakeNote("a\\inner\\deep\\x.txt");
  MakeNote("ab\\keep.txt");
  MakeFolder("empty");
  notes::RefreshNoteTree();

  Select(FindItem("a"));
  notes::DeleteSelectedItem();
  EXPECT_FALSE(Exists("a"));
  EXPECT_EQ(FindItem("a"), -1);
  EXPECT_EQ(FindItem("a", "n1.txt"), -1);
  EXPECT_TRUE(Exists("ab\\keep.txt"));

  // A folder without notes is a folder all the same.
  Select(FindItem("empty"));
  notes::DeleteSelectedItem();
  EXPECT_FALSE(Exists("empty"));
  EXPECT_EQ(EntriesOf(""), std::set<std::string>{"ab"});
  EXPECT_EQ(rt::TreeItemCount(Tree()), 2);
}

TEST_F(RemovalTest, NothingSelectedRemovesNothing) {
  MakeNote("a\\n.txt");
  notes::RefreshNoteTree();
  notes::DeleteSelectedItem();
  EXPECT_TRUE(Exists("a\\n.txt"));
  EXPECT_EQ(rt::TreeItemCount(Tree()), 2);
}

// Every name is removed exactly; each has a sibling that a misread path would hit instead.
TEST_F(RemovalTest, FolderNamesAreTakenLiterally) {
  SetEnvironmentVariableA("XWSIB", "sibling");
  const std::pair<const char*, const char*> kNames[] = {
      {"a%XWSIB%", "asibling"}, {"50%off%", "50"}, {"R&D", "R"},
      {"x^y", "xy"},            {"with blanks", "with"}, {"默认 %%", "默认 %"},
  };
  for (const auto& [name, sibling] : kNames) {
    MakeNote(std::string(name) + "\\n.txt");
    MakeNote(std::string(sibling) + "\\keep.txt");
  }
  for (const auto& [name, sibling] : kNames) {
    notes::RemoveFolderTree(Root() + name);
    EXPECT_FALSE(Exists(name)) << name;
    EXPECT_TRUE(Exists(std::string(sibling) + "\\keep.txt")) << sibling;
  }
  SetEnvironmentVariableA("XWSIB", nullptr);
}

TEST_F(RemovalTest, PathsThatAreNotFoldersOnADriveAreLeftAlone) {
  MakeNote("a\\n.txt");
  const std::string paths[] = {"content\\a", "\\\\server\\share\\a", Root() + "missing", Root() + "a\\n.txt", ""};
  for (const std::string& path : paths) notes::RemoveFolderTree(path);
  EXPECT_TRUE(Exists("a\\n.txt"));
}

TEST(RemovalScript, BytesForTheDefaultFolderOfAProgramInCApp) {
  EXPECT_EQ(std::strlen(notes::kRemovalScriptTemplate), 41u);
  notes::SetRunDirectoryOverride("C:\\app");
  const std::string folder = notes::ContentRoot() + "默认\\";
  notes::SetRunDirectoryOverride("");
  const std::string script = notes::RemovalScriptPath("C:\\temp\\", "1700000000005");
  EXPECT_EQ(script, "C:\\temp\\1700000000005_Speed.bat");
  const std::string expected =
      "Rd /s /q \"C:\\app\\content\\\xC4\xAC\xC8\xCF\\\"\r\n"
      "Del /f /q \"C:\\temp\\1700000000005_Speed.bat\"";
  EXPECT_EQ(notes::RemovalScriptText(folder, script), expected);
}

TEST(RemovalScript, PathsGoInLiterally) {
  EXPECT_EQ(notes::RemovalScriptText("C:\\50%off%\\执行文件名\\", "C:\\t%\\1_Speed.bat"),
            "Rd /s /q \"C:\\50%%off%%\\执行文件名\\\"\r\nDel /f /q \"C:\\t%%\\1_Speed.bat\"");
}

TEST(DrivePath, Cases) {
  struct Case {
    const char* path;
    bool rejectRoot;
    bool expected;
  } const cases[] = {
      {"c:\\notes\\x", true, true},  {"D:/a", true, true},         {"C:\\", true, false},
      {"C:/", true, false},          {"C:\\", false, true},        {"C:\\\\", true, false},
      {"\\\\server\\share", true, false}, {"", true, false},       {"", false, false},
      {"1:\\x", true, false},        {"C:x", true, false},         {"\xC4\xAC:\\x", true, false},
      {"content\\a", true, false},   {"z:\\\\\\a", true, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(notes::IsAbsoluteDrivePath(c.path, c.rejectRoot), c.expected) << c.path << " " << c.rejectRoot;
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = ms;
  return t;
}

TEST(TimestampId, Cases) {
  struct Case {
    SYSTEMTIME now;
    bool tenDigits;
    const char* expected;
  } const cases[] = {
      {At(2023, 11, 15, 6, 13, 20, 5), false, "1700000000005"},  // milliseconds padded
      {At(2023, 11, 15, 6, 13, 20, 5), true, "1700000000"},
      {At(2023, 11, 15, 6, 13, 20, 987), false, "1700000000987"},
      {At(2023, 11, 15, 6, 13, 20, 42), false, "1700000000042"},
      {At(1970, 1, 1, 8, 0, 42, 7), false, "4200700000000"},     // short: padded on the right
      {At(1970, 1, 1, 8, 0, 42, 7), true, "4200700000"},
  };
  for (const Case& c : cases) {
    SYSTEMTIME now = c.now;
    EXPECT_EQ(notes::MakeTimestampId(c.tenDigits, [now] { return now; }), c.expected);
  }
  std::string real = notes::MakeTimestampId(false);
  EXPECT_EQ(real.size(), 13u);
  EXPECT_EQ(real.find_first_not_of("0123456789"), std::string::npos);
}

TEST(TempDirectory, EndsWithABackslashAndExists) {
  std::string temp = notes::GetTempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_NE(GetFileAttributesA(temp.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
