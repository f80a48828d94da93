#include <windows.h>

#include <gtest/gtest.h>

#include "app/ids.h"
#include "tests/support/program.h"

using testing_support::ProgramUnderTest;
using testing_support::WindowText;
using testing_support::WriteTestFile;

TEST(Program, ShowsTheDocumentNamedOnTheCommandLine) {
  ProgramUnderTest program;
  // A GBK name with blanks, quoted, and an extra argument that is ignored.
  std::string document = program.RunDirectory() + "\\我的 文档.xw";
  WriteTestFile(document, "{\\rtf1\\ansi\\ansicpg936 Hello \\b world\\b0 \\'c4\\'e3\\'ba\\'c3}");
  ASSERT_TRUE(program.Start("\"" + document + "\" ignored.rtf"));
  EXPECT_EQ(WindowText(program.Control(app::kEditor)), "Hello world你好");
  EXPECT_EQ(program.Close(), 0u);
}

TEST(Program, StopsReadingTheDocumentAtTheFirstZeroByte) {
  ProgramUnderTest program;
  std::string document = program.RunDirectory() + "\\zero.rtf";
  WriteTestFile(document, std::string("{\\rtf1 kept}\0{\\rtf1 dropped}", 28));
  ASSERT_TRUE(program.Start(document));
  EXPECT_EQ(WindowText(program.Control(app::kEditor)), "kept");
  EXPECT_EQ(program.Close(), 0u);
}

TEST(Program, StartsEmptyWithAMissingDocumentAndEndsWithCodeZero) {
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start("\"" + program.RunDirectory() + "\\missing.xw\""));
  EXPECT_EQ(WindowText(program.Control(app::kEditor)), "");
  EXPECT_EQ(program.Close(), 0u);
}
