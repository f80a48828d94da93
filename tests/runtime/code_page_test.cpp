#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/text.h"

// Every test runs with Wine's ANSI code page at 936, the program's own.
TEST(CodePage, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

TEST(Text, BytesStopBeforeTheFirstZeroByte) {
  EXPECT_EQ(rt::TextFromBytes(std::string("{\\rtf1 a}\0junk", 14)), "{\\rtf1 a}");
  EXPECT_EQ(rt::TextFromBytes("no zero"), "no zero");
  EXPECT_EQ(rt::TextFromBytes(std::string("\0", 1)), "");
}

TEST(Text, BackslashSearchSkipsTrailBytes) {
  // "表" is B1 ED; 0x5C can be the trail byte of a double-byte character, as in 0x95 0x5C.
  std::string dbcsEndingIn5C = "C:\\a\\\x95\x5C";
  EXPECT_FALSE(rt::EndsWithBackslash(dbcsEndingIn5C));
  EXPECT_EQ(rt::FindLastBackslash(dbcsEndingIn5C), 4u);
  EXPECT_EQ(rt::WithTrailingBackslash(dbcsEndingIn5C), dbcsEndingIn5C + "\\");
  EXPECT_EQ(rt::WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
}
