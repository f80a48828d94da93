// The registry utilities against the test prefix's registry, under a key of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/registry.h"
#include "tests/support/saved_registry_key.h"

namespace {

const std::string kRoot = "Software\\XwNotesTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override { testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kRoot); }
  void TearDown() override { testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\XwNotesTests"); }

  static bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  static void SetRaw(const std::string& key, const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, data, size), ERROR_SUCCESS);
  }
};

TEST_F(RegistryTest, WriteCreatesMissingKeysAndStoresTheTextWithItsZero) {
  const std::string key = kRoot + "\\a\\b\\中文";
  EXPECT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, key + "\\名字", "值 value"));
  EXPECT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, key + "\\", "default"));
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, key + "\\名字"), "值 value");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, key + "\\"), "default");
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "名字", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 9u);  // seven bytes and the terminating zero
  // Overwriting an existing value goes through the opened key.
  EXPECT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, key + "\\名字", ""));
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, key + "\\名字"), "");
}

TEST_F(RegistryTest, ReadGivesTextsOnlyAndExpandsEnvironmentVariables) {
  SetEnvironmentVariableA("XW_REGISTRY_TEST", "C:\\expanded");
  const char expand[] = "%XW_REGISTRY_TEST%\\x";
  SetRaw(kRoot, "expand", REG_EXPAND_SZ, expand, sizeof expand);
  DWORD number = 7;
  SetRaw(kRoot, "number", REG_DWORD, &number, sizeof number);
  const char unterminated[] = {'a', 'b'};
  SetRaw(kRoot, "unterminated", REG_SZ, unterminated, sizeof unterminated);
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\expand"), "C:\\expanded\\x");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\number"), "");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\unterminated"), "ab");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\missing"), "");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\nokey\\"), "");
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\"), "");  // key without a default value
}

TEST_F(RegistryTest, DeleteRemovesTheValueFirstAndOtherwiseTheKeyOfTheWholePath) {
  // A value and a subkey of the same name: only the value goes.
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kRoot + "\\X", "value"));
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kRoot + "\\X\\", "subkey"));
  EXPECT_TRUE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\X"));
  EXPECT_EQ(rt::ReadRegistryText(HKEY_CURRENT_USER, kRoot + "\\X\\"), "subkey");
  // No such value now: the subkey goes.
  EXPECT_TRUE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\X"));
  EXPECT_FALSE(KeyExists(kRoot + "\\X"));
  // Neither exists.
  EXPECT_FALSE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\X"));
  EXPECT_FALSE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\nokey\\Y"));

  // A trailing backslash names the default value; without one, the key itself.
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kRoot + "\\D\\", "default"));
  EXPECT_TRUE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\D\\"));
  EXPECT_TRUE(KeyExists(kRoot + "\\D"));
  EXPECT_TRUE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\D\\"));
  EXPECT_FALSE(KeyExists(kRoot + "\\D"));
  // A key that still has subkeys is not deleted.
  ASSERT_TRUE(rt::WriteRegistryText(HKEY_CURRENT_USER, kRoot + "\\P\\Q\\v", "x"));
  EXPECT_FALSE(rt::DeleteRegistryItem(HKEY_CURRENT_USER, kRoot + "\\P"));
  EXPECT_TRUE(KeyExists(kRoot + "\\P\\Q"));
}

}  // namespace
