// A window of its own with a real rich edit box, and a fresh RichEditHelper bound to it.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "richedit/rich_edit_helper.h"
#include "runtime/window.h"

namespace richedit_test {

constexpr int kTestWindow = 901;
constexpr int kTestEditor = 1;

class EditorFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  HWND Box() const { return rt::ControlHandle(kTestWindow, kTestEditor); }
  void SetText(const std::string& text);
  std::string Text() const;
  void Select(int first, int last) { SendMessageA(Box(), EM_SETSEL, first, last); }
  // Types characters as the keyboard would.
  void Type(const std::string& text);
  // The format of [first, last) as the control reports it, and its reply mask.
  CHARFORMATA FormatOf(int first, int last, DWORD* reply = nullptr);

  std::unique_ptr<rt::Window> window_;
  std::unique_ptr<richedit::RichEditHelper> editor_;
};

}  // namespace richedit_test
