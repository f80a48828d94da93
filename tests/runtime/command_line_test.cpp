#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/command_line.h"

namespace {

struct Case {
  const char* line;
  std::vector<std::string> arguments;
};

class CommandLine : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLine, SplitsAfterTheProgramPath) {
  EXPECT_EQ(rt::ParseArguments(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(
        Case{"xwnotes.exe", {}},
        Case{"\"C:\\Program Files\\xw\\xwnotes.exe\"", {}},
        Case{"xwnotes.exe C:\\notes\\a.rtf", {"C:\\notes\\a.rtf"}},
        Case{"\"C:\\My App\\xwnotes.exe\" \"C:\\My Notes\\a b.xw\"", {"C:\\My Notes\\a b.xw"}},
        Case{"xwnotes.exe \"C:\\笔记\\默认.xw\"", {"C:\\笔记\\默认.xw"}},
        Case{"xwnotes.exe C:\\笔记\\默认.xw", {"C:\\笔记\\默认.xw"}},
        // Extra arguments are collected too; start-up looks only at the first.
        Case{"xwnotes.exe first second \"third one\"", {"first", "second", "third one"}},
        // Codes of 32 or below end an unquoted argument: tab, and control bytes.
        Case{"xwnotes.exe a\tb\x01" "c", {"a", "b", "c"}},
        // A double quote ends an unquoted argument and opens the next one.
        Case{"xwnotes.exe ab\"c d\"e", {"ab", "c d", "e"}},
        // An unterminated quote runs to the end; an empty pair gives an empty argument.
        Case{"xwnotes.exe \"open end", {"open end"}},
        Case{"xwnotes.exe \"\" x", {"", "x"}},
        Case{"  xwnotes.exe   x  ", {"x"}},
        // Double-byte characters stay whole, including one whose trail byte is a backslash.
        Case{"xwnotes.exe \xB1\xED\x95\x5C", {"\xB1\xED\x95\x5C"}}));

}  // namespace
