// Puts back the ".xw" registry entries after each test and starts each from none at all, so that
// the tests of the document type do not depend on each other or on other tests in the prefix.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/registry.h"
#include "tests/support/saved_registry_key.h"

namespace shell_testing {

inline const std::string kFileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.xw";

class DocumentTypeRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    for (auto [root, path] : {std::pair{HKEY_CLASSES_ROOT, std::string(".xw")},
                              std::pair{HKEY_CLASSES_ROOT, std::string("xwfile")},
                              std::pair{HKEY_CURRENT_USER, kFileExts}}) {
      saved_.push_back(std::make_unique<testing_support::SavedRegistryKey>(root, path));
      ASSERT_TRUE(testing_support::DeleteRegistryTree(root, path)) << path;
    }
  }
  void TearDown() override { saved_.clear(); }

  static std::string Classes(const std::string& path) { return rt::ReadRegistryText(HKEY_CLASSES_ROOT, path); }
  static bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

private:
  std::vector<std::unique_ptr<testing_support::SavedRegistryKey>> saved_;
};

}  // namespace shell_testing
