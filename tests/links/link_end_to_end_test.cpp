// A double-click on a link in the running program reaches the handler that the registry names for
// web addresses: a recorder program stands in for the browser.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "app/ids.h"
#include "runtime/files.h"
#include "runtime/registry.h"
#include "tests/support/program.h"
#include "tests/support/saved_registry_key.h"

namespace {

using testing_support::ProgramUnderTest;
using testing_support::SavedRegistryKey;
using testing_support::TempDir;
using testing_support::WaitFor;
using testing_support::WriteTestFile;

TEST(LinkEndToEnd, ADoubleClickInTheProgramOpensTheAddressWithTheUsersHandler) {
  TempDir temp;
  const std::string record = temp.Path() + "\\opened.txt";
  SavedRegistryKey savedHttp(HKEY_CLASSES_ROOT, "http");
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CLASSES_ROOT, "http\\shell\\open\\command\\",
                                    "\"" + rt::RunDirectory() + "\\link_recorder.exe\" \"" + record + "\" \"%1\""));

  ProgramUnderTest program;
  const std::string document = program.RunDirectory() + "\\links.rtf";
  WriteTestFile(document, "{\\rtf1\\ansi http://example.com/e2e?a=1&b=2 is a link\\par and www.example.org too}");
  ASSERT_TRUE(program.Start("\"" + document + "\""));

  HWND editor = program.Control(app::kEditor);
  auto doubleClickAt = [editor](int index) {
    // The edit-control form of EM_POSFROMCHAR needs no buffer in the other process.
    LRESULT pos = SendMessageA(editor, EM_POSFROMCHAR, index, 0);
    LPARAM at = MAKELPARAM(LOWORD(pos) + 2, HIWORD(pos) + 4);
    SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(editor, WM_LBUTTONUP, 0, at);
    SendMessageA(editor, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(editor, WM_LBUTTONUP, 0, at);
  };
  auto recorded = [&] { return rt::ReadWholeFile(record).value_or(""); };

  doubleClickAt(8);
  std::string expected = "http://example.com/e2e?a=1&b=2\n";
  EXPECT_TRUE(WaitFor([&] { return recorded() == expected; }, 20000)) << recorded();
  // The "www." address reaches the web handler as an http address (character 47 is in it).
  doubleClickAt(47);
  expected += "http://www.example.org\n";
  EXPECT_TRUE(WaitFor([&] { return recorded() == expected; }, 20000)) << recorded();
  // Once each: nothing else arrives later.
  Sleep(1000);
  EXPECT_EQ(recorded(), expected);
  EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
