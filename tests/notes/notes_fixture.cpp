#include "tests/notes/notes_fixture.h"

#include "app/ids.h"
#include "app/main_window.h"
#include "notes/content_directory.h"
#include "notes/temp_directory.h"
#include "runtime/files.h"
#include "runtime/tree_view.h"

namespace notes_test {

void NotesFixture::SetUp() {
  notes::SetRunDirectoryOverride(runDir_.Path());
  CreateDirectoryA((runDir_.Path() + "\\content").c_str(), nullptr);
  RecreateWindow(false);
}

void NotesFixture::TearDown() {
  if (app::MainWindow().Handle()) app::MainWindow().Close();
  // A quit left behind would end the next window's loop.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  notes::SetRunDirectoryOverride("");
}

void NotesFixture::RecreateWindow(bool quitOnDestroy) {
  if (app::MainWindow().Handle()) app::MainWindow().Close();
  ASSERT_TRUE(app::MainWindow().Create(quitOnDestroy));
}

std::string NotesFixture::Root() const { return notes::ContentRoot(); }

void NotesFixture::MakeFolder(const std::string& relative) {
  ASSERT_TRUE(CreateDirectoryA((Root() + relative).c_str(), nullptr)) << relative;
}

void NotesFixture::MakeNote(const std::string& relative, const std::string& bytes) {
  testing_support::WriteTestFile(Root() + relative, bytes);
}

std::string NotesFixture::ReadNote(const std::string& relative) const {
  return rt::ReadWholeFile(Root() + relative).value_or("<missing>");
}

bool NotesFixture::Exists(const std::string& relative) const {
  return GetFileAttributesA((Root() + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> NotesFixture::EntriesOf(const std::string& relative) const {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA((Root() + relative + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

HWND NotesFixture::Tree() const { return app::MainWindow().Control(app::kNoteTree); }
HWND NotesFixture::Editor() const { return app::MainWindow().Control(app::kEditor); }

int NotesFixture::FindItem(const std::string& folder, const std::string& note) const {
  for (int i = 0; i < rt::TreeItemCount(Tree()); ++i) {
    int parent = rt::TreeParentItem(Tree(), i);
    if (note.empty() && parent < 0 && rt::TreeItemText(Tree(), i) == folder) return i;
    if (!note.empty() && parent >= 0 && rt::TreeItemText(Tree(), parent) == folder &&
        rt::TreeItemText(Tree(), i) == note)
      return i;
  }
  return -1;
}

void NotesFixture::Select(int item) { rt::TreeSelectItem(Tree(), item); }

std::string NotesFixture::EditorText() const {
  // The length may count characters, not bytes: leave room for two bytes each.
  std::string text(2 * static_cast<size_t>(GetWindowTextLengthA(Editor())) + 2, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(Editor(), text.data(), static_cast<int>(text.size()))));
  return text;
}

std::set<std::string> RemovalScriptsInTemp() {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA((notes::GetTempDirectory() + "*_Speed.bat").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.insert(entry.cFileName);
  while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

InputBoxAnswer::InputBoxAnswer(std::string title, const char* typed, int button)
    : title_(std::move(title)), typed_(typed ? typed : ""), type_(typed != nullptr), button_(button) {
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

InputBoxAnswer::~InputBoxAnswer() { Finish(); }

std::string InputBoxAnswer::Finish() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return initial_;
}

DWORD WINAPI InputBoxAnswer::Run(void* param) {
  auto* self = static_cast<InputBoxAnswer*>(param);
  HWND box = nullptr;
  for (int i = 0; i < 500 && !box; ++i) {
    box = FindWindowA("XwNotesWindow", self->title_.c_str());
    if (!box || !IsWindowVisible(box)) {
      box = nullptr;
      Sleep(10);
    }
  }
  if (!box) return 0;
  char initial[256] = {};
  GetWindowTextA(GetDlgItem(box, 101), initial, sizeof initial);
  self->initial_ = initial;
  if (self->type_) SetWindowTextA(GetDlgItem(box, 101), self->typed_.c_str());
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, self->button_)));
  return 0;
}

}  // namespace notes_test
