// The ".xw" registration against the test prefix's real registry.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/registry.h"
#include "shell/document_type.h"
#include "shell/icon_file.h"
#include "tests/shell/registry_fixture.h"

namespace {

using shell_testing::DocumentTypeRegistry;
using shell_testing::kFileExts;

constexpr UINT kChangeMessage = WM_APP + 42;

// Counts the shell's association-change notifications for this process, noting at each what the
// open command was by then.
class ChangeWatcher {
public:
  ChangeWatcher() {
    window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    SHChangeNotifyEntry entry{nullptr, TRUE};
    id_ = SHChangeNotifyRegister(window_, SHCNRF_ShellLevel | SHCNRF_InterruptLevel, SHCNE_ASSOCCHANGED,
                                 kChangeMessage, 1, &entry);
  }
  ~ChangeWatcher() {
    if (id_) SHChangeNotifyDeregister(id_);
    DestroyWindow(window_);
  }
  bool Registered() const { return id_ != 0; }
  // The notifications that have arrived, after serving what is queued.
  const std::vector<std::string>& Seen() {
    MSG msg;
    for (int round = 0; round < 5; ++round) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(20);
    }
    return commandsSeen_;
  }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ChangeWatcher*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == kChangeMessage) {
      self->commandsSeen_.push_back(rt::ReadRegistryText(HKEY_CLASSES_ROOT, "xwfile\\shell\\open\\command\\"));
      return 0;
    }
    return CallWindowProcA(self->previous_, hwnd, msg, wParam, lParam);
  }

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
  ULONG id_ = 0;
  std::vector<std::string> commandsSeen_;
};

DWORD ValueType(HKEY root, const std::string& key) {
  DWORD type = 0;
  RegGetValueA(root, key.c_str(), nullptr, RRF_RT_ANY, &type, nullptr, nullptr);
  return type;
}

TEST_F(DocumentTypeRegistry, WritesTheFourValuesWithThePathQuotedAndNotifiesOnceAfterTheLast) {
  ChangeWatcher watcher;
  ASSERT_TRUE(watcher.Registered());
  const std::string program = "C:\\Program Files\\笔记 工具\\xwnotes.exe";
  ASSERT_TRUE(shell::RegisterDocumentType(program, "xw", "C:\\windows\\system32\\xw.ico", false));
  EXPECT_EQ(Classes(".xw\\"), "xwfile");
  EXPECT_EQ(Classes("xwfile\\"), "xw");
  EXPECT_EQ(Classes("xwfile\\DefaultIcon\\"), "C:\\windows\\system32\\xw.ico,0");
  const std::string command = "\"C:\\Program Files\\笔记 工具\\xwnotes.exe\" \"%1\"";
  EXPECT_EQ(Classes("xwfile\\shell\\open\\command\\"), command);
  for (const char* key : {".xw", "xwfile", "xwfile\\DefaultIcon", "xwfile\\shell\\open\\command"})
    EXPECT_EQ(ValueType(HKEY_CLASSES_ROOT, key), static_cast<DWORD>(REG_SZ)) << key;
  EXPECT_EQ(watcher.Seen(), std::vector<std::string>{command});
}

TEST_F(DocumentTypeRegistry, AFailedWriteStopsWithoutNotifying) {
  ChangeWatcher watcher;
  ASSERT_TRUE(watcher.Registered());
  // No key name may be this long, so the first write fails.
  std::string tooLong(300, 'q');
  EXPECT_FALSE(shell::RegisterDocumentType("C:\\xwnotes.exe", tooLong, "C:\\xw.ico", false));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, tooLong + "file"));
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(DocumentTypeRegistry, ResetClearsTheUsersOpenWithChoices) {
  for (bool withDefault : {true, false}) {
    SCOPED_TRACE(withDefault ? "default value present" : "no default value");
    // OpenWithList as a subkey, OpenWithProgids as a value of the type's key.
    ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList\\a", "other.exe"));
    ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithProgids", "otherfile"));
    if (withDefault) {
      ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\", "mine"));
    }
    ASSERT_TRUE(shell::RegisterDocumentType("C:\\xwnotes.exe", "xw", "C:\\xw.ico", true));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList"));
    EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithProgids"), "");
    EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kFileExts + "\\"), "");
    // Where the type's key had no default value left to delete, the (now empty) key itself goes.
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kFileExts), withDefault);
  }
  // Without reset the choices stay.
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList\\a", "other.exe"));
  ASSERT_TRUE(shell::RegisterDocumentType("C:\\xwnotes.exe", "xw", "C:\\xw.ico", false));
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList\\a"), "other.exe");
}

TEST_F(DocumentTypeRegistry, StartUpRegistersUnlessTheExtensionHoldsExactlyXwfile) {
  struct {
    const char* name;
    const char* current;  // null: no ".xw" key at all
    bool registers;
  } cases[] = {
      {"absent", nullptr, true},   {"empty", "", true},          {"other case", "XWFILE", true},
      {"other type", "txtfile", true}, {"trailing blank", "xwfile ", true}, {"registered", "xwfile", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::DeleteRegistryTree(HKEY_CLASSES_ROOT, ".xw");
    if (c.current) {
      ASSERT_TRUE(rt::WriteRegistryText(HKEY_CLASSES_ROOT, ".xw\\", c.current));
    }
    ASSERT_TRUE(rt::WriteRegistryText(HKEY_CLASSES_ROOT, "xwfile\\shell\\open\\command\\", "left alone"));
    ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList\\a", "other.exe"));
    ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kFileExts + "\\", "mine"));
    ChangeWatcher watcher;
    shell::EnsureDocumentType();
    const std::string command = "\"" + rt::ProgramPath() + "\" \"%1\"";
    if (c.registers) {
      EXPECT_EQ(Classes(".xw\\"), "xwfile");
      EXPECT_EQ(Classes("xwfile\\DefaultIcon\\"), shell::IconPath() + ",0");
      EXPECT_EQ(Classes("xwfile\\shell\\open\\command\\"), command);
      EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList"));
      EXPECT_EQ(watcher.Seen().size(), 1u);
    } else {
      // Not a single change, not even to the user's choices.
      EXPECT_EQ(Classes("xwfile\\shell\\open\\command\\"), "left alone");
      EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kFileExts + "\\OpenWithList\\a"), "other.exe");
      EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kFileExts + "\\"), "mine");
      EXPECT_TRUE(watcher.Seen().empty());
    }
  }
}

}  // namespace
