#include "tests/richedit/editor_fixture.h"

#include <ole2.h>

#include <cstring>

#include "ole/ole_callback.h"

namespace richedit_test {

void EditorFixture::SetUp() {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  if (!ole::CallbackTableAddress()) {
    ole::CreateCallbackTable();
    ole::BuildOleCallbackTable();
  }
  rt::WindowDesign design;
  design.caption = "editor test";
  design.left = 10;
  design.top = 10;
  design.width = 500;
  design.height = 300;
  design.controls = {{kTestEditor, rt::ControlKind::RichEdit, "超级编辑框1", 0, 0, 480, 260}};
  window_ = std::make_unique<rt::Window>(kTestWindow, design);
  ASSERT_TRUE(window_->Create());
  editor_ = std::make_unique<richedit::RichEditHelper>();
  ASSERT_TRUE(editor_->Attach(kTestWindow, kTestEditor));
  ASSERT_TRUE(editor_->SetUndoLimit(100));
}

void EditorFixture::TearDown() {
  // The editor keeps the helper's callback object until it goes, so the window goes first.
  if (window_) window_->Close();
  window_.reset();
  editor_.reset();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  OleUninitialize();
}

void EditorFixture::SetText(const std::string& text) {
  SETTEXTEX how{ST_DEFAULT, CP_ACP};
  SendMessageA(Box(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string EditorFixture::Text() const {
  char buffer[4096] = {};
  GETTEXTEX how{sizeof buffer, GT_DEFAULT, CP_ACP, nullptr, nullptr};
  SendMessageA(Box(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void EditorFixture::Type(const std::string& text) {
  for (char c : text) SendMessageA(Box(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

CHARFORMATA EditorFixture::FormatOf(int first, int last, DWORD* reply) {
  CHARRANGE saved{};
  SendMessageA(Box(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  Select(first, last);
  CHARFORMATA cf;
  std::memset(&cf, 0, sizeof cf);
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_ALL;
  DWORD r = static_cast<DWORD>(SendMessageA(Box(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
  if (reply) *reply = r;
  SendMessageA(Box(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  return cf;
}

}  // namespace richedit_test
