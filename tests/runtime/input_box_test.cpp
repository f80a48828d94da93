#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "runtime/input_box.h"

namespace {

// The box as the user sees it: found by its title once it is shown with all its controls.
HWND WaitForInputBox(const char* title) {
  for (int i = 0; i < 500; ++i) {
    HWND box = FindWindowA("XwNotesWindow", title);
    if (box && IsWindowVisible(box)) return box;
    Sleep(10);
  }
  return nullptr;
}

// Plays the user on another thread: finds the box, optionally types, then answers.
void AnswerInputBox(const char* title, const char* typed, int button) {
  HWND box = WaitForInputBox(title);
  if (!box) return;
  if (typed) SetWindowTextA(GetDlgItem(box, 101), typed);
  if (button == IDCANCEL && !typed) {
    PostMessageA(box, WM_CLOSE, 0, 0);  // the close box
    return;
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

std::string PromptOf(HWND box) {
  char text[128] = {};
  GetWindowTextA(GetDlgItem(box, 100), text, sizeof text);
  return text;
}

}  // namespace

TEST(InputBox, ConfirmStoresTheEditedText) {
  std::string value = "before";
  std::string seenPrompt, seenEntry;
  std::thread user([&] {
    HWND box = WaitForInputBox("创建文件");
    ASSERT_NE(box, nullptr);
    seenPrompt = PromptOf(box);
    char entry[64] = {};
    GetWindowTextA(GetDlgItem(box, 101), entry, sizeof entry);
    seenEntry = entry;
    AnswerInputBox("创建文件", "新笔记", IDOK);
  });
  EXPECT_TRUE(rt::InputBox("创建文件提示", "创建文件", "文件", value));
  user.join();
  EXPECT_EQ(seenPrompt, "创建文件提示");
  EXPECT_EQ(seenEntry, "文件");
  EXPECT_EQ(value, "新笔记");
}

TEST(InputBox, CancelAndCloseLeaveTheVariableAlone) {
  for (const char* typed : {"typed", static_cast<const char*>(nullptr)}) {
    std::string value = "kept";
    std::thread user([typed] { AnswerInputBox("T", typed, IDCANCEL); });
    EXPECT_FALSE(rt::InputBox("P", "T", "initial", value));
    user.join();
    EXPECT_EQ(value, "kept");
  }
}
